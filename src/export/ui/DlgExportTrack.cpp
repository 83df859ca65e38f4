#include "export/ui/DlgExportTrack.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>

#include "export/ui/ExportDialogParts.h"
#include "skin/ui/DialogButtonRow.h"

namespace {

constexpr int kMinimumWidth = 360;

constexpr ExportEndTexts kTrackEndTexts{kMsgSaveTrackOK, kMsgSaveTrackCancel, kMsgSaveTrackFail, kCaptionSaveTrack};

}  // namespace

CDlgExportTrack::CDlgExportTrack(const TrackFormat& format, std::string outputPath, std::vector<TrackSource> sources,
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
      progress_(job_.Progress(), this),
      cancel_(new QPushButton(ExportGuiText(kGuiCancel), this)) {
  setObjectName(QStringLiteral("exportTrackDialog"));
  setModal(true);
  StyleExportDialog(*this, QString::fromStdString(GuiText(format.title)));
  setMinimumWidth(kMinimumWidth);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(file_);
  layout->addLayout(progress_.MakeLayout());
  layout->addLayout(DialogButtonRow({cancel_}));
  connect(cancel_, &QPushButton::clicked, this, [this] { job_.Cancel(); });
}

CDlgExportTrack::~CDlgExportTrack() = default;

bool CDlgExportTrack::Start() {
  const TrackStartResult started =
      job_.Start(format_, outputPath_, sources_, pulseType_, prompt_, [this](ExportResult result) { OnEnded(result); });
  if (started.outcome == TrackStart::kStarted) {
    progress_.Start();
    return true;
  }
  if (started.message) ShowExportMessage(prompt_, *started.message, kCaptionSaveTrack);
  if (started.outcome == TrackStart::kFailed) ShowExportMessage(prompt_, kMsgSaveTrackFail, kCaptionSaveTrack);
  return false;
}

void CDlgExportTrack::OnEnded(ExportResult result) {
  progress_.Stop();
  result_ = result;
  ShowExportEnd(prompt_, result, kTrackEndTexts);
  QDialog::accept();
}

void CDlgExportTrack::reject() {
  // Escape and the close box cancel; the dialog closes when the worker ends.
  if (job_.Running()) job_.Cancel();
}
