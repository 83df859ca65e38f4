#pragma once
// The Save MP4 dialog, of Save AVI's shape: the folder and file name of the
// film, the range (an event recording whole, a normal recording from the
// start frame up to a chosen end), the overlays, the quality, the speed
// unit and the GPX file beside it. Start runs the export on a worker with
// a progress bar and Cancel; the choices are remembered when it starts.
#include <QDialog>
#include <array>

#include "export/Mp4ExportJob.h"
#include "export/render/QtFilmOverlayPainter.h"
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

class CDlgSaveMp4 : public QDialog {
  Q_OBJECT

 public:
  CDlgSaveMp4(AviExportSource source, int pulseType, CAppSetting& setting, Prompt& prompt, QWidget* parent);
  ~CDlgSaveMp4() override;

  QLineEdit* FolderField() const { return folder_; }
  QLineEdit* NameField() const { return name_; }
  QTimeEdit* EndTime() const { return endTime_; }
  QCheckBox* OverlayBox(int index) const { return overlays_[static_cast<size_t>(index)]; }
  QComboBox* QualityList() const { return quality_; }
  QComboBox* UnitList() const { return units_; }
  QCheckBox* GpxBox() const { return gpx_; }
  QPushButton* StartButton() const { return start_; }
  QPushButton* CancelButton() const { return cancel_; }
  bool Saving() const { return saving_; }
  const Mp4ExportJob& Job() const { return job_; }

  Mp4ExportInputs Inputs() const;

 public slots:
  void reject() override;

 private:
  static constexpr size_t kOverlayCount = 6;

  void OnStart();
  void OnEnded(ExportResult result);
  void SetSaving(bool saving);

  AviExportSource source_;
  bool rangeMode_;
  Mp4ExportInputs opening_;
  CAppSetting& setting_;
  Prompt& prompt_;
  QtUiQueue queue_;
  QtFilmOverlayPainter painter_;
  Mp4ExportJob job_;
  CExportProgressRow progress_;
  QLineEdit* folder_;
  QPushButton* browse_;
  QLineEdit* name_;
  QDateEdit* startDate_;
  QTimeEdit* startTime_;
  QDateEdit* endDate_;
  QTimeEdit* endTime_;
  std::array<QCheckBox*, kOverlayCount> overlays_{};
  QComboBox* quality_;
  QComboBox* units_;
  QCheckBox* gpx_;
  QPushButton* start_;
  QPushButton* cancel_;
  QPushButton* close_;
  bool saving_ = false;
};
