#pragma once
// The Save image dialog: which frames of the current recording go out as
// JPEG files (the frames shown, a stretch from the start frame, or the
// whole recording, thinned to a number of frames per second) and into
// which folder. OK runs the export on a worker with a progress bar; the
// dialog stays open afterwards.
//
// In print mode the same dialog chooses the frames to print: the printer's
// name stands in place of the folder, and OK closes the dialog with the
// selection; nothing is saved.
#include <QDialog>
#include <optional>
#include <span>
#include <vector>

#include "export/JpegExportJob.h"
#include "export/ui/ExportProgressRow.h"
#include "platform/ui/QtPorts.h"

class CAppSetting;
class CInfoEventFile;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

struct JpegPrintMode {
  QString printerName;
};

class CDlgSaveJpeg : public QDialog {
  Q_OBJECT

 public:
  // startFrame: where the selected-images stretch starts. shownFrames: the
  // frames the panes show. lastComment: the comment segment of the picture
  // decoded last (it may lower the fps list). printMode: open for printing.
  CDlgSaveJpeg(CInfoEventFile& recording, int startFrame, std::vector<int> shownFrames,
               std::span<const unsigned char> lastComment, CAppSetting& setting, Prompt& prompt, QWidget* parent,
               std::optional<JpegPrintMode> printMode = std::nullopt);
  ~CDlgSaveJpeg() override;

  QLineEdit* FolderField() const { return folder_; }
  QLabel* FolderLabel() const { return folderLabel_; }
  QPushButton* BrowseButton() const { return browse_; }
  bool PrintMode() const { return printMode_; }
  QRadioButton* CurrentButton() const { return current_; }
  QRadioButton* SelectedButton() const { return selected_; }
  QRadioButton* AllButton() const { return all_; }
  QComboBox* FpsList() const { return fps_; }
  QComboBox* SecondsList() const { return seconds_; }
  QCheckBox* GeotagBox() const { return geotag_; }
  QProgressBar* Bar() const { return progress_.Bar(); }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }
  QPushButton* CloseButton() const { return close_; }
  // From OK until the export's end has been shown.
  bool Saving() const { return saving_; }
  const JpegExportJob& Job() const { return job_; }

  // The selection record as the dialog's controls give it now.
  JpegSelection Selection() const;

 public slots:
  // Esc and the close box: Cancel while saving, else Close.
  void reject() override;

 private:
  void OnOk();
  void OnKind();
  void OnEnded(JpegResult result);
  void SetSaving(bool saving);

  CInfoEventFile& recording_;
  int startFrame_;
  std::vector<int> shownFrames_;
  CAppSetting& setting_;
  Prompt& prompt_;
  QtUiQueue queue_;
  JpegExportJob job_;
  CExportProgressRow progress_;
  bool printMode_;
  QLineEdit* folder_;
  QLabel* folderLabel_;
  QPushButton* browse_;
  QRadioButton* current_;
  QRadioButton* selected_;
  QRadioButton* all_;
  QComboBox* fps_;
  QLabel* fpsLabel_;
  QComboBox* seconds_;
  QLabel* secondsLabel_;
  QCheckBox* geotag_;
  QPushButton* ok_;
  QPushButton* cancel_;
  QPushButton* close_;
  bool saving_ = false;
};
