// Printing in the real window over a generated card: the Print button, File
// item and Ctrl+P say what is missing or open the frame choice in its print
// mode, the preview pages through 1x1 and 2x2, takes a title, and prints
// through its confirmation to Qt's PDF output, read back with pdfinfo.

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPageLayout>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <functional>
#include <regex>

#include "base/CommandIds.h"
#include "export/PrintPages.h"
#include "export/PrintToFile.h"
#include "export/ui/DlgPrintPage.h"
#include "export/ui/DlgPrintPreview.h"
#include "export/ui/DlgPrintTitle.h"
#include "export/ui/DlgSaveJpeg.h"
#include "export/ui/PrintPage.h"
#include "export/ui/PrinterSettings.h"
#include "playback/ui/SearchUiSupport.h"
#include "shell/ui/MainWindowFixture.h"
#include "skin/ui/VxButton.h"
#include "support/CliRun.h"

namespace {

namespace fs = std::filesystem;
using main_window_test::MainWindowTest;
using search_ui_test::ModalProbe;
using search_ui_test::ModalWatchdog;

class PrintCommandsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    QPrinter& printer = ApplicationPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(Pdf().string()));
  }

  fs::path Pdf() const { return dir_ / "report.pdf"; }

  // Runs Print: choose picks the frames in the print-mode dialog (which is
  // then accepted), act gets the preview and must close it. False when the
  // preview never opened.
  bool RunPrint(int id, const std::function<void(CDlgSaveJpeg&)>& choose,
                const std::function<void(CDlgPrintPreview&)>& act) {
    bool previewed = false;
    ModalWatchdog watchdog(QDialog::Rejected);
    ModalProbe<CDlgSaveJpeg> choice([&](CDlgSaveJpeg& dialog) {
      choose(dialog);
      dialog.OkButton()->click();
    });
    ModalProbe<CDlgPrintPreview> preview([&](CDlgPrintPreview& dialog) {
      previewed = true;
      act(dialog);
    });
    Panel().OnCommand(id);
    Reactivate();
    return previewed;
  }

  // Clicks Print in the preview and answers the confirmation.
  static std::string ConfirmPrint(CDlgPrintPreview& preview, bool ok) {
    std::string asked;
    ModalProbe<CDlgPrintPage> confirmation([&](CDlgPrintPage& dialog) {
      asked = dialog.PageCountLabel()->text().toStdString();
      (ok ? dialog.OkButton() : dialog.CancelButton())->click();
    });
    preview.PrintButton()->click();
    return asked;
  }

  std::string LastText() const { return prompt_.ShownBoxes().empty() ? "" : prompt_.ShownBoxes().back().text; }

  static int PdfPages(const fs::path& pdf, std::string* info = nullptr) {
    const std::string out = RunShell("pdfinfo " + ShellQuote(pdf.string())).out;
    if (info) *info = out;
    std::smatch match;
    if (!std::regex_search(out, match, std::regex("Pages:\\s+(\\d+)"))) return -1;
    return std::stoi(match[1]);
  }

  int FrameCount() const {
    const CMgrDBSearch& store = frame_->Store();
    return store.Videos()[static_cast<size_t>(store.CurrentIndex())]->FrameCount();
  }
};

QAction* FindItem(QMenu* menu, int id) {
  for (QAction* action : menu->actions())
    if (action->data().toInt() == id) return action;
  return nullptr;
}

TEST_F(PrintCommandsTest, WithNothingLoadedPrintSaysSoFromButtonMenuAndKey) {
  ASSERT_TRUE(OpenCard());
  EXPECT_TRUE(Parts().Button(kIdPrintImage)->isEnabled());
  EXPECT_EQ(Parts().Button(kIdPrintImage)->toolTip(), "Print image");
  QAction* item = FindItem(Panel().BuildMenu(0), kIdFilePrint);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->text(), "Print(&P)");

  EXPECT_FALSE(RunPrint(
      kIdPrintImage, [](CDlgSaveJpeg&) {}, [](CDlgPrintPreview& d) { d.reject(); }));
  EXPECT_EQ(LastText(), "No Event is loaded");
  const size_t boxes = prompt_.ShownBoxes().size();
  Key(frame_.get(), Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(prompt_.ShownBoxes().size(), boxes + 1);
  EXPECT_EQ(LastText(), "No Event is loaded");
  EXPECT_EQ(prompt_.ShownBoxes().back().caption, "Print Images");

  LoadFirst(FileListKind::kLog, 1);
  EXPECT_FALSE(RunPrint(
      kIdFilePrint, [](CDlgSaveJpeg&) {}, [](CDlgPrintPreview& d) { d.reject(); }));
  EXPECT_EQ(LastText(), "No Event is loaded");
}

TEST_F(PrintCommandsTest, ThePreviewPagesThroughBothLayoutsAndTakesATitle) {
  ASSERT_TRUE(OpenCard());
  prompt_.QueueSaveFile(Pdf().string());
  LoadFirst(FileListKind::kEvent, 1);
  const int frames = FrameCount();
  ASSERT_GT(frames, 8);
  const bool previewed = RunPrint(
      kIdPrintImage,
      [](CDlgSaveJpeg& dialog) {
        EXPECT_TRUE(dialog.PrintMode());
        EXPECT_EQ(dialog.windowTitle(), "Print Images");
        EXPECT_EQ(dialog.FolderLabel()->text(), "Printer Name");
        EXPECT_TRUE(dialog.FolderField()->text().startsWith("PDF: "));
        EXPECT_TRUE(dialog.BrowseButton()->isHidden());
        const QLineEdit& name = *dialog.FolderField();
        EXPECT_GE(name.width(), std::min(name.fontMetrics().horizontalAdvance(name.text()), 500))
            << "the printer's name shows whole";
        if (const char* shots = std::getenv("KORVANE_SHOT_DIR"))
          dialog.grab().save(QString::fromLocal8Bit(shots) + "/print-dialog.png");
        dialog.AllButton()->click();
      },
      [&](CDlgPrintPreview& preview) {
        EXPECT_EQ(preview.CurrentPage(), 1);
        EXPECT_TRUE(preview.OneButton()->isChecked());
        EXPECT_FALSE(preview.PreviousButton()->isEnabled());
        EXPECT_TRUE(preview.NextButton()->isEnabled());
        preview.NextButton()->click();
        EXPECT_EQ(preview.CurrentPage(), 2);
        EXPECT_TRUE(preview.PreviousButton()->isEnabled());
        EXPECT_EQ(preview.PageWindow()->Page(), 2);

        preview.FourButton()->click();
        EXPECT_EQ(preview.CurrentPage(), 1);
        EXPECT_FALSE(preview.PreviousButton()->isEnabled());
        const int pages = (frames + 3) / 4;
        for (int page = 1; page < pages; ++page) {
          EXPECT_TRUE(preview.NextButton()->isEnabled()) << page;
          preview.NextButton()->click();
        }
        EXPECT_EQ(preview.CurrentPage(), pages);
        EXPECT_FALSE(preview.NextButton()->isEnabled());
        EXPECT_TRUE(preview.PreviousButton()->isEnabled());
        preview.OneButton()->click();
        EXPECT_EQ(preview.CurrentPage(), 1);

        ModalProbe<CDlgPrintTitle> title([](CDlgPrintTitle& dialog) {
          EXPECT_EQ(dialog.windowTitle(), "Print Title");
          dialog.TitleField()->setText("Crossing A7");
          dialog.CommentField()->setText("Case 12-118");
          dialog.OkButton()->click();
        });
        preview.TitleButton()->click();

        // The page keeps the printed page's shape, centred 10 pixels in.
        CPrintPage& page = *preview.PageWindow();
        const QRect shown = page.PageRect();
        const QSize printed = PrintableSize(ApplicationPrinter());
        EXPECT_NEAR(static_cast<double>(shown.width()) / shown.height(),
                    static_cast<double>(printed.width()) / printed.height(), 0.01);
        EXPECT_EQ(shown.top(), 10);
        EXPECT_NEAR(shown.left(), page.width() - shown.right() - 1, 1);
        const QImage picture = page.grab().toImage();
        EXPECT_EQ(picture.pixelColor(shown.left() + 3, shown.top() + 3), QColor(Qt::white));
        if (const char* shots = std::getenv("KORVANE_SHOT_DIR"))
          preview.grab().save(QString::fromLocal8Bit(shots) + "/print-preview.png");

        ConfirmPrint(preview, true);
        preview.CloseButton()->click();
      });
  ASSERT_TRUE(previewed);
  EXPECT_EQ(LastText(), PrintResultText(true, Pdf().string()));
  EXPECT_EQ(PdfPages(Pdf()), frames);
  const std::string text = RunShell("pdftotext -raw -f 1 -l 1 " + ShellQuote(Pdf().string()) + " -").out;
  EXPECT_NE(text.find("Crossing A7"), std::string::npos);
  EXPECT_NE(text.find("Case 12-118"), std::string::npos);
  EXPECT_NE(text.find("- 1 / " + std::to_string(frames) + " -"), std::string::npos);
}

TEST_F(PrintCommandsTest, PrintingToPdfAsksFirstAndPrintsEveryPage) {
  ASSERT_TRUE(OpenCard());
  prompt_.QueueSaveFile(Pdf().string());
  LoadFirst(FileListKind::kEvent, 1);
  const int pages = (FrameCount() + 3) / 4;
  std::string asked;
  ASSERT_TRUE(RunPrint(
      kIdFilePrint, [](CDlgSaveJpeg& dialog) { dialog.AllButton()->click(); },
      [&](CDlgPrintPreview& preview) {
        preview.FourButton()->click();
        EXPECT_EQ(ConfirmPrint(preview, false), "Print page number is " + std::to_string(pages));
        EXPECT_FALSE(fs::exists(Pdf())) << "Cancel prints nothing";
        EXPECT_TRUE(prompt_.ShownBoxes().empty());
        asked = ConfirmPrint(preview, true);
        preview.CloseButton()->click();
      }));
  EXPECT_EQ(asked, "Print page number is " + std::to_string(pages));
  EXPECT_EQ(LastText(), PrintResultText(true, Pdf().string()));
  EXPECT_EQ(prompt_.ShownBoxes().back().caption, "Print Images");
  std::string info;
  EXPECT_EQ(PdfPages(Pdf(), &info), pages);
  EXPECT_NE(info.find("(A4)"), std::string::npos) << info;
  EXPECT_NE(info.find("Nemora"), std::string::npos) << info;
}

TEST_F(PrintCommandsTest, APrinterThatCannotStartReportsAnError) {
  ASSERT_TRUE(OpenCard());
  LoadFirst(FileListKind::kEvent, 1);
  const std::string missing = (dir_ / "missing" / "x.pdf").string();
  prompt_.QueueSaveFile(missing);
  ASSERT_TRUE(RunPrint(
      kIdPrintImage, [](CDlgSaveJpeg&) {},
      [&](CDlgPrintPreview& preview) {
        EXPECT_EQ(ConfirmPrint(preview, true), "Print page number is 1");
        preview.CloseButton()->click();
      }));
  EXPECT_EQ(LastText(), PrintResultText(false, missing));
}

TEST_F(PrintCommandsTest, SetupHoldsThePrinterToA4PortraitAndSaysSoForLandscape) {
  ASSERT_TRUE(OpenCard());
  LoadFirst(FileListKind::kEvent, 1);
  QPrinter& printer = ApplicationPrinter();
  ASSERT_TRUE(RunPrint(
      kIdPrintImage, [](CDlgSaveJpeg&) {},
      [&](CDlgPrintPreview& preview) {
        printer.setPageSize(QPageSize(QPageSize::Letter));
        preview.ApplySetup();
        EXPECT_TRUE(prompt_.ShownBoxes().empty()) << "Letter is changed without a word";
        EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);

        printer.setPageOrientation(QPageLayout::Landscape);
        preview.ApplySetup();
        EXPECT_EQ(LastText(), "Landscape is not supported.");
        EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
        EXPECT_EQ(printer.resolution(), 300);
        const QRect shown = preview.PageWindow()->PageRect();
        EXPECT_LT(shown.width(), shown.height());
        preview.CloseButton()->click();
      }));
}

}  // namespace
