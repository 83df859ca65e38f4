#include "skin/ui/DialogButtonRow.h"

QHBoxLayout* DialogButtonRow(std::initializer_list<QPushButton*> buttons) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  for (QPushButton* button : buttons) {
    button->setAutoDefault(false);
    row->addWidget(button);
  }
  return row;
}
