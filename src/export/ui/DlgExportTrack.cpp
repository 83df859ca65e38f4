#include "export/ui/DlgExportTrack.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

#include "export/ui/ExportDialogParts.h"
#include "skin/ui/DialogButtonRow.h"

namespace {

constexpr int kMinimumWidth = 360;

QString TitleOf(TrackFormat format) {
  return format == TrackFormat::kGpx ? ExportGuiText("ExportGpx", "Export GPX")
                                     : ExportGuiText("ExportCsv", "Export CSV");
}

}  // namespace

CDlgExportTrack::CDlgExportTrack(TrackFormat format, std::string outputPath, std::vector<TrackSource> sources,
                                 int pulseType, Prompt& prompt, QWidget* parent)
    : QDialog(parent),
      format_(format),
      outputPath_(std::move(outputPath)),
      sources_(std::move(sources)),
      pulseType_(pulseType),
      prompt_(prompt),
      queue_(this),
      job_(queue_),
      file_(new QLabel(QString::fromStdString(std::filesystem::path(outputPath_).filename().string()), this)),
      status_(new QLabel(this)),
      bar_(new QProgressBar(this)),
      cancel_(new QPushButton(ExportGuiText("Cancel", "Cancel"), this)) {
  setObjectName(QStringLiteral("exportTrackDialog"));
  setModal(true);
  StyleExportDialog(*this, TitleOf(format));
  setMinimumWidth(kMinimumWidth);
  auto* progress = new QHBoxLayout;
  progress->addWidget(bar_, 1);
  progress->addWidget(status_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(file_);
  layout->addLayout(progress);
  layout->addLayout(DialogButtonRow({cancel_}));
  bar_->setRange(0, 1);
  bar_->setValue(0);
  connect(cancel_, &QPushButton::clicked, this, [this] { job_.Cancel(); });
  poll_.setInterval(kExportPollMs);
  connect(&poll_, &QTimer::timeout, this, &CDlgExportTrack::Poll);
}

CDlgExportTrack::~CDlgExportTrack() = default;

bool CDlgExportTrack::Start() {
  const TrackStartResult started =
      job_.Start(format_, outputPath_, sources_, pulseType_, prompt_, [this](int result) { OnEnded(result); });
  if (started.outcome == TrackStart::kStarted) {
    poll_.start();
    return true;
  }
  if (started.message) ShowExportMessage(prompt_, *started.message, kCaptionSaveTrack);
  if (started.outcome == TrackStart::kFailed) ShowExportMessage(prompt_, kMsgSaveTrackFail, kCaptionSaveTrack);
  return false;
}

void CDlgExportTrack::Poll() {
  const ExportProgress& progress = job_.Progress();
  const int high = std::max(progress.high.load(), 1);
  bar_->setRange(0, high);
  bar_->setValue(std::clamp(progress.pos.load(), 0, high));
  const int part = progress.part.load();
  status_->setText(part > 0 ? QStringLiteral("%1 / %2").arg(part).arg(progress.parts.load()) : QString());
}

void CDlgExportTrack::OnEnded(int result) {
  poll_.stop();
  result_ = result;
  if (result == kExportDone) {
    ShowExportMessage(prompt_, kMsgSaveTrackOK, kCaptionSaveTrack);
  } else {
    ShowExportMessage(prompt_, result == kExportCancelled ? kMsgSaveTrackCancel : kMsgSaveTrackFail, kCaptionSaveTrack);
  }
  QDialog::accept();
}

void CDlgExportTrack::reject() {
  // Escape and the close box cancel; the dialog closes when the worker ends.
  if (job_.Running()) job_.Cancel();
}
