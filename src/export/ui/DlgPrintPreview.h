#pragma once
// The print preview: the pages of the chosen frames as they will print, one
// frame a page (1x1) or four (2x2), paged with Previous and Next; Setup
// picks the printer (Qt's PDF output among them), Print Title sets the
// title and comment, and Print prints every page after asking.
#include <QDialog>

class CPrintPage;
class PrintDocument;
class Prompt;
class QPrinter;
class QPushButton;

class CDlgPrintPreview : public QDialog {
  Q_OBJECT

 public:
  CDlgPrintPreview(PrintDocument& document, QPrinter& printer, Prompt& prompt, QWidget* parent);

  CPrintPage* PageWindow() const { return page_; }
  QPushButton* PrintButton() const { return print_; }
  QPushButton* SetupButton() const { return setup_; }
  QPushButton* OneButton() const { return one_; }
  QPushButton* FourButton() const { return four_; }
  QPushButton* TitleButton() const { return title_; }
  QPushButton* PreviousButton() const { return previous_; }
  QPushButton* NextButton() const { return next_; }
  QPushButton* CloseButton() const { return close_; }
  int CurrentPage() const { return current_; }

  // Holds the printer to the print rules (saying what was corrected) and
  // redraws the page in the printer's shape; Setup does this after the
  // system's dialog.
  void ApplySetup();
  // Prints every page after the confirmation (without a printer into a PDF
  // file the user names); true when it printed.
  bool PrintPages();

 private:
  bool ChoosePdfFile();
  void OnSetup();
  void OnTitle();
  void SetLayout(int layout);
  void ShowPage(int page);

  PrintDocument& document_;
  QPrinter& printer_;
  Prompt& prompt_;
  CPrintPage* page_;
  QPushButton* print_;
  QPushButton* setup_;
  QPushButton* one_;
  QPushButton* four_;
  QPushButton* title_;
  QPushButton* previous_;
  QPushButton* next_;
  QPushButton* close_;
  int current_ = 1;
};
