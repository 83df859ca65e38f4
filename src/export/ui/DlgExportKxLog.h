#pragma once
// The Run Google Earth dialog: the GPS track of the loaded logs as one KML
// file (point marks at an interval, the route as a line in a chosen width,
// opacity and colour). Start writes it on a worker with a progress bar and
// Cancel; after "Save log file OK." the file is handed to the desktop's
// KML viewer when the box asks for it. Close stores the inputs.
#include <QDialog>
#include <vector>

#include "export/KmlExportJob.h"
#include "export/ui/ExportProgressRow.h"
#include "platform/ui/QtPorts.h"

class CAppSetting;
class CColorComboEx;
class DesktopOpener;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class CDlgExportKxLog : public QDialog {
  Q_OBJECT

 public:
  // logs: the loaded logs in list order (at least one). logGraph (may be
  // null) marks the event points.
  CDlgExportKxLog(std::vector<const CInfoLogFile*> logs, const GSensorGraphModel* logGraph, CAppSetting& setting,
                  Prompt& prompt, DesktopOpener& desktop, QWidget* parent);
  ~CDlgExportKxLog() override;

  QLineEdit* FolderField() const { return folder_; }
  QLineEdit* NameField() const { return name_; }
  QCheckBox* PointerBox() const { return pointer_; }
  QLineEdit* IntervalField() const { return interval_; }
  QCheckBox* RouteBox() const { return route_; }
  QLineEdit* WidthField() const { return width_; }
  QLineEdit* OpacityField() const { return opacity_; }
  CColorComboEx* ColorList() const { return color_; }
  QCheckBox* RunBox() const { return run_; }
  QLabel* StatusLabel() const { return progress_.Status(); }
  QProgressBar* Bar() const { return progress_.Bar(); }
  QPushButton* StartButton() const { return start_; }
  QPushButton* CancelButton() const { return cancel_; }
  QPushButton* CloseButton() const { return close_; }
  // From Start until the export's end has been shown.
  bool Saving() const { return saving_; }
  const KmlExportJob& Job() const { return job_; }

  // The inputs as the dialog's controls give them now.
  KmlExportInputs Inputs() const;

 public slots:
  // Esc and the close box: Cancel while saving, else Close.
  void reject() override;

 private:
  void OnStart();
  void OnClose();
  void OnEnded(ExportResult result);
  void ApplyBoxRules();
  void SetSaving(bool saving);
  QWidget* FieldOf(KmlField field) const;

  std::vector<const CInfoLogFile*> logs_;
  const GSensorGraphModel* logGraph_;
  CAppSetting& setting_;
  Prompt& prompt_;
  DesktopOpener& desktop_;
  QtUiQueue queue_;
  KmlExportJob job_;
  QLineEdit* folder_;
  QPushButton* browse_;
  QLineEdit* name_;
  QCheckBox* pointer_;
  QLineEdit* interval_;
  QCheckBox* route_;
  QLineEdit* width_;
  QLineEdit* opacity_;
  CColorComboEx* color_;
  QCheckBox* run_;
  CExportProgressRow progress_;
  QPushButton* start_;
  QPushButton* cancel_;
  QPushButton* close_;
  bool saving_ = false;
};
