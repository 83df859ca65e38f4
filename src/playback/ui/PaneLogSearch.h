#pragma once
// The log search pane: speed and G-sensor thresholds, the search button and
// the result list. The controls mirror the engine's search fields; the rows
// are the engine's result rows, and a click on one shows its record.
#include <QWidget>
#include <array>

#include "skin/ui/SkinStrip.h"

class CVxButton;
class PlaybackEngine;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class CPaneLogSearch : public QWidget {
  Q_OBJECT

 public:
  // Columns of the result list.
  enum Column { kColumnNo = 0, kColumnDateTime = 1, kColumnRecord = 2, kColumnEventType = 3, kColumnCount = 4 };

  CPaneLogSearch(PlaybackEngine& engine, QWidget* parent);

  // The skin's four-cell strip for the search button; until one is set the
  // button is a plain push button with its caption.
  void SetSearchButtonStrip(const SkinStrip& strip);

  // The Search button.
  void Search();
  // Shows the engine's result rows again (after a search or a close).
  void RepaintRows();
  // Puts the engine's field values into the controls.
  void ShowFields();

  QTreeWidget* ResultList() const { return results_; }
  QCheckBox* SpeedCheck() const { return speedCheck_; }
  QLineEdit* SpeedEdit() const { return speedEdit_; }
  QCheckBox* AccelerationCheck() const { return accelCheck_; }
  QCheckBox* AxisCheck(int axis) const { return axisChecks_[static_cast<size_t>(axis)]; }
  QLineEdit* AxisEdit(int axis) const { return axisEdits_[static_cast<size_t>(axis)]; }
  QWidget* SearchButton() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void BuildResultList();
  void FitResultColumns();
  void ReadFields();
  void OnRowClicked(QTreeWidgetItem* item);

  PlaybackEngine& engine_;
  QCheckBox* speedCheck_ = nullptr;
  QLineEdit* speedEdit_ = nullptr;
  QCheckBox* accelCheck_ = nullptr;
  std::array<QCheckBox*, 3> axisChecks_{};
  std::array<QLineEdit*, 3> axisEdits_{};
  QPushButton* plainSearch_ = nullptr;
  CVxButton* skinSearch_ = nullptr;
  QTreeWidget* results_ = nullptr;
};
