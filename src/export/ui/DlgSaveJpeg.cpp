#include "export/ui/DlgSaveJpeg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "base/AppSetting.h"
#include "export/ui/ExportDialogParts.h"
#include "recording/InfoEventFile.h"
#include "skin/ui/CheckMarkStyle.h"
#include "skin/ui/DialogButtonRow.h"

namespace {

constexpr int kFolderFieldWidth = 260;
constexpr int kPrinterFieldMaxWidth = 520;
constexpr int kFieldPadding = 16;

}  // namespace

CDlgSaveJpeg::CDlgSaveJpeg(CInfoEventFile& recording, int startFrame, std::vector<int> shownFrames,
                           std::span<const unsigned char> lastComment, CAppSetting& setting, Prompt& prompt,
                           QWidget* parent, std::optional<JpegPrintMode> printMode)
    : QDialog(parent),
      recording_(recording),
      startFrame_(std::max(startFrame, 0)),
      shownFrames_(std::move(shownFrames)),
      setting_(setting),
      prompt_(prompt),
      queue_(this),
      job_(queue_),
      progress_(job_.Progress(), this),
      printMode_(printMode.has_value()),
      folder_(
          new QLineEdit(printMode ? printMode->printerName : QString::fromStdString(setting.SaveJpgFolder()), this)),
      folderLabel_(new QLabel(
          printMode ? ExportGuiText("PinterName", "Printer Name") : ExportGuiText("JpegFolder", "Jpeg File Folder"),
          this)),
      browse_(new QPushButton(ExportGuiText("Browse", "..."), this)),
      current_(new QRadioButton(ExportGuiText("CurrentImage", "Current Images"), this)),
      selected_(new QRadioButton(ExportGuiText("SelectedImage", "Selected Images"), this)),
      all_(new QRadioButton(ExportGuiText("AllImage", "All Images"), this)),
      fps_(new QComboBox(this)),
      fpsLabel_(new QLabel(ExportGuiText("InFps", "fps"), this)),
      seconds_(new QComboBox(this)),
      secondsLabel_(new QLabel(ExportGuiText("ForSec", "sec"), this)),
      geotag_(new QCheckBox(ExportGuiText("JpegGeotag", "Write position into the picture"), this)),
      ok_(new QPushButton(ExportGuiText("OK", "OK"), this)),
      cancel_(new QPushButton(ExportGuiText(kGuiCancel), this)),
      close_(new QPushButton(ExportGuiText(kGuiClose), this)) {
  setObjectName(QStringLiteral("saveJpegDialog"));
  setModal(true);
  StyleExportDialog(*this, printMode_ ? ExportGuiText("PrintImage", "Print Images")
                                      : ExportGuiText("SaveJpeg", "Save images as Jpeg"));
  folder_->setReadOnly(true);
  folder_->setMinimumWidth(kFolderFieldWidth);
  if (printMode_) {
    // A printer's or PDF file's name is read, not edited: the field grows to
    // show it whole up to a limit, and its start and tool tip show the rest.
    const int needed = folder_->fontMetrics().horizontalAdvance(folder_->text()) + kFieldPadding;
    folder_->setMinimumWidth(std::clamp(needed, kFolderFieldWidth, kPrinterFieldMaxWidth));
    folder_->setCursorPosition(0);
    folder_->setToolTip(folder_->text());
  }
  for (QWidget* box : std::initializer_list<QWidget*>{current_, selected_, all_, geotag_}) UseCheckMarkStyle(box);
  geotag_->setChecked(setting.SaveJpgGeotag());

  FillNumberList(*fps_, JpegFpsListSize(recording, lastComment));
  fps_->setCurrentIndex(fps_->count() - 1);
  FillNumberList(*seconds_, JpegSecondsListSize(recording, startFrame_));
  seconds_->setCurrentIndex(0);

  auto* kinds = new QButtonGroup(this);
  kinds->addButton(current_, kJpegCurrentImages);
  kinds->addButton(selected_, kJpegSelectedImages);
  kinds->addButton(all_, kJpegAllImages);
  current_->setChecked(true);

  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(folderLabel_);
  folderRow->addWidget(folder_, 1);
  folderRow->addWidget(browse_);
  auto* choice = new QGridLayout;
  choice->addWidget(current_, 0, 0);
  choice->addWidget(selected_, 1, 0);
  choice->addWidget(fps_, 1, 1);
  choice->addWidget(fpsLabel_, 1, 2);
  choice->addWidget(seconds_, 1, 3);
  choice->addWidget(secondsLabel_, 1, 4);
  choice->addWidget(all_, 2, 0);
  choice->setColumnStretch(5, 1);
  QHBoxLayout* buttons = DialogButtonRow({ok_, cancel_, close_});
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(folderRow);
  layout->addLayout(choice);
  layout->addWidget(geotag_);
  layout->addLayout(progress_.MakeLayout());
  layout->addLayout(buttons);

  SetSaving(false);
  if (printMode_) {
    // The printer's name takes the browse button's place too; nothing is
    // saved, so there is no progress to show or cancel.
    for (QWidget* widget :
         std::initializer_list<QWidget*>{browse_, progress_.Bar(), progress_.Status(), cancel_, geotag_})
      widget->hide();
  }

  connect(kinds, &QButtonGroup::idClicked, this, [this] { OnKind(); });
  connect(ok_, &QPushButton::clicked, this, &CDlgSaveJpeg::OnOk);
  connect(cancel_, &QPushButton::clicked, this, [this] { job_.Cancel(); });
  connect(close_, &QPushButton::clicked, this, [this] { QDialog::reject(); });
  connect(browse_, &QPushButton::clicked, this, [this] { BrowseForFolder(prompt_, *folder_); });
}

CDlgSaveJpeg::~CDlgSaveJpeg() = default;

JpegSelection CDlgSaveJpeg::Selection() const {
  JpegSelection selection;
  selection.folder = folder_->text().toStdString();
  selection.kind = selected_->isChecked() ? kJpegSelectedImages
                   : all_->isChecked()    ? kJpegAllImages
                                          : kJpegCurrentImages;
  selection.fps = fps_->currentIndex() + 1;
  selection.everyFrame = fps_->currentIndex() == fps_->count() - 1;
  selection.startFrame = startFrame_;
  selection.seconds = seconds_->currentIndex() + 1;
  selection.geotag = !printMode_ && geotag_->isChecked();
  return selection;
}

void CDlgSaveJpeg::OnKind() {
  // Only the stretch uses the lists; All Images keeps the fps entry chosen.
  const bool lists = selected_->isChecked() && !saving_;
  for (QWidget* widget : std::initializer_list<QWidget*>{fps_, fpsLabel_, seconds_, secondsLabel_})
    widget->setEnabled(lists);
}

void CDlgSaveJpeg::OnOk() {
  if (printMode_) {
    accept();
    return;
  }
  const JpegSelection selection = Selection();
  if (const auto refusal = CheckJpegFolder(selection.folder)) {
    ShowExportMessage(prompt_, *refusal, kCaptionSaveJpeg);
    browse_->setFocus();
    return;
  }
  if (!job_.Start(&recording_, selection, shownFrames_, prompt_, [this](JpegResult result) { OnEnded(result); })) {
    ShowExportMessage(prompt_, kMsgSaveJpegError, kCaptionSaveJpeg);
    return;
  }
  SetSaving(true);
  progress_.Start();
}

void CDlgSaveJpeg::OnEnded(JpegResult result) {
  progress_.Stop();
  SetSaving(false);
  if (result == JpegResult::kDone) {
    ShowExportMessage(prompt_, kMsgSaveJpegOK, kCaptionSaveJpeg);
    setting_.SetSaveJpgFolder(folder_->text().toStdString());
    setting_.SetSaveJpgGeotag(geotag_->isChecked());
  } else if (result == JpegResult::kError) {
    ShowExportMessage(prompt_, kMsgSaveJpegError, kCaptionSaveJpeg);
  }
  progress_.Clear();
}

void CDlgSaveJpeg::SetSaving(bool saving) {
  saving_ = saving;
  cancel_->setEnabled(saving);
  for (QWidget* widget : std::initializer_list<QWidget*>{ok_, close_, browse_, current_, selected_, all_, geotag_})
    widget->setEnabled(!saving);
  OnKind();
}

void CDlgSaveJpeg::reject() {
  if (job_.Running()) {
    job_.Cancel();
    return;
  }
  QDialog::reject();
}
