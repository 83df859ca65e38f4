#pragma once
// The skinned list box: dark rows drawn by the program, each row the text
// height plus 4 pixels (at least the icon height plus 4), every row carrying
// an integer item value. Selecting a row by mouse or keyboard emits
// rowChosen with the row and its item value; SelectRow from code does not.
#include <QListWidget>

class CVxListBox : public QListWidget {
  Q_OBJECT

 public:
  CVxListBox(int id, QWidget* parent);

  int Id() const { return id_; }
  void Clear();
  void AddRow(const QString& text, int itemValue);
  int RowCount() const { return count(); }
  QString RowText(int row) const;
  int ItemValue(int row) const;
  // The row whose item value is value; -1 when none.
  int FindItemValue(int value) const;
  // Selects row without emitting rowChosen; false outside the rows.
  bool SelectRow(int row);
  int SelectedRow() const;

 signals:
  void rowChosen(int row, int itemValue);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  void OnCurrentRowChanged(int row);

  int id_;
  // Set while code, not the user, moves the current row.
  bool fromCode_ = false;
};
