#pragma once
// The card-type question of a card whose size cannot be read: "SD",
// "SDHC" or "Other Type". Closing it answers "Other Type".
#include <QDialog>

#include "tools/FormatParams.h"

class QPushButton;

class CDlgSelectSDType : public QDialog {
  Q_OBJECT

 public:
  explicit CDlgSelectSDType(QWidget* parent);

  CardTypeAnswer Answer() const { return answer_; }
  QPushButton* SdButton() const { return sd_; }
  QPushButton* SdhcButton() const { return sdhc_; }
  QPushButton* OtherButton() const { return other_; }

 private:
  void Choose(CardTypeAnswer answer);

  QPushButton* sd_;
  QPushButton* sdhc_;
  QPushButton* other_;
  CardTypeAnswer answer_ = CardTypeAnswer::kOther;
};

// Opens the question modally and returns the answer.
CardTypeAnswer AskCardType(QWidget* parent);
