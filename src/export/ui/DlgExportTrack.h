#pragma once
// The exports of the track formats (GPX, CSV) in the window: a small
// progress box that writes the chosen file from the loaded recordings or
// logs, with Cancel, and says how it ended.

#include <QDialog>
#include <vector>

#include "export/TrackExportJob.h"
#include "export/TrackFormat.h"
#include "export/ui/ExportProgressRow.h"
#include "platform/ui/QtPorts.h"

class QLabel;
class QPushButton;

class CDlgExportTrack : public QDialog {
  Q_OBJECT

 public:
  // The sources must stay loaded while the dialog lives.
  CDlgExportTrack(const TrackFormat& format, std::string outputPath, std::vector<TrackSource> sources, int pulseType,
                  Prompt& prompt, QWidget* parent);
  ~CDlgExportTrack() override;

  // Starts the export; false (the message shown) when it could not start,
  // or when the user kept the existing file.
  bool Start();
  bool Saving() const { return job_.Running(); }
  // How the export ended, once it has.
  ExportResult Result() const { return result_; }
  QPushButton* CancelButton() const { return cancel_; }

 public slots:
  void reject() override;

 private:
  void OnEnded(ExportResult result);

  TrackFormat format_;
  std::string outputPath_;
  std::vector<TrackSource> sources_;
  int pulseType_;
  Prompt& prompt_;
  QtUiQueue queue_;
  TrackExportJob job_;
  ExportResult result_ = ExportResult::kFailed;
  QLabel* file_;
  CExportProgressRow progress_;
  QPushButton* cancel_;
};
