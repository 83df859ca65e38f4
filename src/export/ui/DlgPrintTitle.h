#pragma once
// The print title dialog: the title printed over every page and a comment
// under it.
#include <QDialog>

class QLineEdit;
class QPushButton;

class CDlgPrintTitle : public QDialog {
  Q_OBJECT

 public:
  CDlgPrintTitle(const QString& title, const QString& comment, QWidget* parent);

  QString Title() const;
  QString Comment() const;
  QLineEdit* TitleField() const { return title_; }
  QLineEdit* CommentField() const { return comment_; }
  QPushButton* OkButton() const { return ok_; }

 private:
  QLineEdit* title_;
  QLineEdit* comment_;
  QPushButton* ok_;
};
