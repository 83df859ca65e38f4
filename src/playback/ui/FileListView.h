#pragma once
// One of the search window's lists on screen: it paints the
// rows of a CListEvent with a check box in the first column, and hands every
// click back to the list, which owns checks, selection and sort order. The
// view never sorts or checks on its own, so what the loading reads is always
// what the user sees.
#include <QTreeWidget>

#include "recording/CardCatalogue.h"

class CListEvent;

class CFileListView : public QTreeWidget {
  Q_OBJECT

 public:
  // Initial widths of the columns; 0 keeps a column hidden.
  static constexpr int kInitialWidths[] = {70, 170, 80, 0, 0, 0};
  // The Trip list's, by its own columns.
  static constexpr int kTripInitialWidths[] = {44, 76, 124, 0, 0, 0, 60, 64, 64, 48, 40};
  // A column whose widest text outgrows its initial width gets this much of
  // that text's width.
  static constexpr double kWidenFactor = 1.5;
  // What a cell needs beside its text: the item's padding and margins, and
  // in the first column the check box.
  static constexpr int kCellPadding = 14;
  static constexpr int kCheckBoxRoom = 22;

  CFileListView(int id, FileListKind kind, QWidget* parent);

  int Id() const { return id_; }
  FileListKind Kind() const { return kind_; }

  // The list this view paints; null shows nothing and ignores clicks.
  void SetModel(CListEvent* list);
  // Paints every row again (after a fill or a sort) and fits the columns.
  void Render();
  // Paints only the check marks and the selection (the rows kept their order).
  void RenderChecks();

  // Whether row shows as checked, for callers that look at the screen.
  bool IsRowChecked(int row) const;
  QString CellText(int row, int column) const;

  // Header text of a column in this list.
  QString HeaderText(int column) const;

 signals:
  // A check mark changed through a click.
  void checksChanged();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void OnItemClicked(QTreeWidgetItem* item, int column);
  void OnItemChanged(QTreeWidgetItem* item, int column);
  void OnHeaderClicked(int column);
  void FitColumns();
  int InitialWidth(int column) const;
  int ColumnRoom() const;

  int id_;
  FileListKind kind_;
  CListEvent* list_ = nullptr;
  // Set while the view itself writes items, so its own writes are not
  // mistaken for the user's.
  bool rendering_ = false;
};
