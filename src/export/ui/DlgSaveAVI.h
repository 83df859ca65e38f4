#pragma once
// The Save AVI dialog: the folder and file name of the film, its frames per
// second, the range (an event recording whole, a normal recording from the
// start frame up to a chosen end, running on into the following loaded
// recordings) and the caption items. Start runs the export on a worker
// with a progress bar and Cancel; the dialog stays open afterwards.
#include <QDialog>
#include <span>

#include "export/AviExportJob.h"
#include "export/render/QtCaptionPainter.h"
#include "export/ui/ExportProgressRow.h"
#include "platform/ui/QtPorts.h"

class CAppSetting;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimeEdit;

class CDlgSaveAVI : public QDialog {
  Q_OBJECT

 public:
  // source: the current recording first, then the loaded ones after it,
  // with the first pane's frame. lastComment: the comment segment of the
  // picture decoded last (it may lower the fps list). pulseType: the card's.
  CDlgSaveAVI(AviExportSource source, std::span<const unsigned char> lastComment, int pulseType, CAppSetting& setting,
              Prompt& prompt, QWidget* parent);
  ~CDlgSaveAVI() override;

  QLineEdit* FolderField() const { return folder_; }
  QLineEdit* NameField() const { return name_; }
  QComboBox* FpsList() const { return fps_; }
  QDateEdit* StartDate() const { return startDate_; }
  QTimeEdit* StartTime() const { return startTime_; }
  QDateEdit* EndDate() const { return endDate_; }
  QTimeEdit* EndTime() const { return endTime_; }
  QCheckBox* DateTimeBox() const { return dateTime_; }
  QCheckBox* SpeedBox() const { return speed_; }
  QCheckBox* VehicleIdBox() const { return vehicleId_; }
  QCheckBox* PositionBox() const { return position_; }
  QProgressBar* Bar() const { return progress_.Bar(); }
  QPushButton* StartButton() const { return start_; }
  QPushButton* CancelButton() const { return cancel_; }
  QPushButton* CloseButton() const { return close_; }
  // From Start until the export's end has been shown.
  bool Saving() const { return saving_; }
  const AviExportJob& Job() const { return job_; }

  // The inputs as the dialog's controls give them now.
  AviExportInputs Inputs() const;

 public slots:
  // Esc and the close box: Cancel while saving, else Close.
  void reject() override;

 private:
  void OnStart();
  void OnEnded(ExportResult result);
  void OnRangeChanged();
  void SetSaving(bool saving);

  AviExportSource source_;
  bool rangeMode_;
  AviExportInputs opening_;
  CAppSetting& setting_;
  Prompt& prompt_;
  QtUiQueue queue_;
  QtCaptionPainter painter_;
  AviExportJob job_;
  CExportProgressRow progress_;
  QLineEdit* folder_;
  QPushButton* browse_;
  QLineEdit* name_;
  QComboBox* fps_;
  QDateEdit* startDate_;
  QTimeEdit* startTime_;
  QDateEdit* endDate_;
  QTimeEdit* endTime_;
  QCheckBox* dateTime_;
  QCheckBox* speed_;
  QCheckBox* vehicleId_;
  QCheckBox* position_;
  QPushButton* start_;
  QPushButton* cancel_;
  QPushButton* close_;
  bool saving_ = false;
};
