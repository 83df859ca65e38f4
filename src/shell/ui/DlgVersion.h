#pragma once
// The version box: the product line, the recorder's firmware version read
// from the chosen card and the program's version.
#include <QDialog>
#include <string>

class QLabel;

class CDlgVersion : public QDialog {
  Q_OBJECT

 public:
  CDlgVersion(const std::string& cardRoot, const std::string& modelName, QWidget* parent);

  QLabel* RecorderLine() const { return recorder_; }
  QLabel* ProgramLine() const { return program_; }

 private:
  QLabel* recorder_;
  QLabel* program_;
};
