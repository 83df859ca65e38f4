#include "export/ui/DlgPrintPreview.h"

#include <QApplication>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>
#include <optional>
#include <system_error>

#include "export/PrintPages.h"
#include "export/PrintToFile.h"
#include "export/render/PrintPagePainter.h"
#include "export/ui/DlgPrintPage.h"
#include "export/ui/DlgPrintTitle.h"
#include "export/ui/ExportDialogParts.h"
#include "export/ui/PrintPage.h"
#include "export/ui/PrinterSettings.h"
#include "platform/Prompt.h"
#include "skin/ui/ScreenFit.h"

namespace {

constexpr int kPreviewWidth = 700;
constexpr int kPreviewHeight = 760;
constexpr const char* kDocumentName = "Nemora";

}  // namespace

CDlgPrintPreview::CDlgPrintPreview(PrintDocument& document, QPrinter& printer, Prompt& prompt, QWidget* parent)
    : QDialog(parent),
      document_(document),
      printer_(printer),
      prompt_(prompt),
      page_(new CPrintPage(document, this)),
      print_(new QPushButton(ExportGuiText("Print", "Print"), this)),
      setup_(new QPushButton(ExportGuiText("Setup", "Setup"), this)),
      one_(new QPushButton(ExportGuiText("1FrameView", "1x1"), this)),
      four_(new QPushButton(ExportGuiText("4FrameView", "2x2"), this)),
      title_(new QPushButton(ExportGuiText("PrintTitle", "Print Title"), this)),
      previous_(new QPushButton(ExportGuiText("Previous", "Previous"), this)),
      next_(new QPushButton(ExportGuiText("Next", "Next"), this)),
      close_(new QPushButton(ExportGuiText(kGuiClose), this)) {
  setObjectName(QStringLiteral("printPreviewDialog"));
  setModal(true);
  StyleExportDialog(*this, ExportGuiText("PrintImage", "Print Images"));
  ResizeWithinScreen(*this, QSize(kPreviewWidth, kPreviewHeight));

  auto* layouts = new QButtonGroup(this);
  for (QPushButton* button : {one_, four_}) button->setCheckable(true);
  layouts->addButton(one_, kPrintLayoutOne);
  layouts->addButton(four_, kPrintLayoutFour);
  auto* bar = new QHBoxLayout;
  for (QPushButton* button : {print_, setup_, one_, four_, title_, previous_, next_}) {
    button->setAutoDefault(false);
    bar->addWidget(button);
  }
  bar->addStretch(1);
  close_->setAutoDefault(false);
  bar->addWidget(close_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(bar);
  layout->addWidget(page_, 1);

  connect(layouts, &QButtonGroup::idClicked, this, [this](int layout) { SetLayout(layout); });
  connect(previous_, &QPushButton::clicked, this, [this] { ShowPage(current_ - 1); });
  connect(next_, &QPushButton::clicked, this, [this] { ShowPage(current_ + 1); });
  connect(setup_, &QPushButton::clicked, this, &CDlgPrintPreview::OnSetup);
  connect(title_, &QPushButton::clicked, this, &CDlgPrintPreview::OnTitle);
  connect(print_, &QPushButton::clicked, this, [this] { PrintPages(); });
  connect(close_, &QPushButton::clicked, this, &QDialog::reject);

  document_.SetLayout(kPrintLayoutOne);
  one_->setChecked(true);
  page_->SetPageSize(PrintableSize(printer_));
  ShowPage(1);
}

void CDlgPrintPreview::SetLayout(int layout) {
  if (layout == document_.Layout()) return;
  document_.SetLayout(layout);
  ShowPage(1);
}

void CDlgPrintPreview::ShowPage(int page) {
  const int count = document_.PageCount();
  current_ = std::clamp(page, 1, std::max(count, 1));
  previous_->setEnabled(current_ > 1);
  next_->setEnabled(current_ < count);
  print_->setEnabled(count > 0);
  page_->SetPage(current_);
}

void CDlgPrintPreview::ApplySetup() {
  const auto message = ApplyPrinterRules(printer_);
  page_->SetPageSize(PrintableSize(printer_));
  if (message) ShowExportMessage(prompt_, *message, kCaptionPrintImage);
}

void CDlgPrintPreview::OnSetup() {
  QPrintDialog dialog(&printer_, this);
  dialog.setWindowTitle(ExportGuiText("Setup", "Setup"));
  dialog.exec();
  ApplySetup();
}

void CDlgPrintPreview::OnTitle() {
  CDlgPrintTitle dialog(QString::fromStdString(document_.Title()), QString::fromStdString(document_.Comment()), this);
  if (dialog.exec() != QDialog::Accepted) return;
  document_.SetTitle(dialog.Title().toStdString(), dialog.Comment().toStdString());
  page_->update();
}

bool CDlgPrintPreview::PrintPages() {
  CDlgPrintPage confirmation(document_.PageCount(), this);
  if (confirmation.exec() != QDialog::Accepted) return false;
  const bool toFile = printer_.outputFormat() == QPrinter::PdfFormat;
  if (toFile && !ChoosePdfFile()) return false;
  printer_.setDocName(QString::fromLatin1(kDocumentName));
  QApplication::setOverrideCursor(Qt::WaitCursor);
  PrintPagePainter painter(document_);
  const bool printed = painter.PaintAll(printer_);
  if (!printed) printer_.abort();
  QApplication::restoreOverrideCursor();
  const std::string file = toFile ? printer_.outputFileName().toStdString() : std::string();
  prompt_.Show(PrintResultText(printed, file), GuiText(kCaptionPrintImage), PromptButtons::Ok);
  return printed;
}

// The file the pages go to without a printer, asked for each time: an
// existing one is kept unless the user says to overwrite it.
bool CDlgPrintPreview::ChoosePdfFile() {
  QString start = printer_.outputFileName();
  if (start.isEmpty()) start = QString::fromStdString(DefaultPrintPdfPath().string());
  const std::optional<std::string> path =
      prompt_.PickSaveFile(GuiText(kCaptionPrintImage), start.toStdString(), "PDF (*.pdf)");
  if (!path) return false;
  std::error_code error;
  if (std::filesystem::exists(*path, error) &&
      prompt_.Show(MessageText(kMsgSameFileOverwrite), GuiText(kCaptionPrintImage), PromptButtons::YesNo) !=
          PromptAnswer::Yes) {
    return false;
  }
  printer_.setOutputFileName(QString::fromStdString(*path));
  return true;
}
