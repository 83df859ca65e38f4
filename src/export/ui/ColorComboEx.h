#pragma once
// The KML line colour list: the sixteen colours, each item carrying its
// 0x00BBGGRR value and drawn as a swatch inside a black frame.

#include <QComboBox>

class CColorComboEx final : public QComboBox {
  Q_OBJECT

 public:
  explicit CColorComboEx(QWidget* parent = nullptr);

  // Selects the item of value; the first item when no item has it.
  void SelectColor(int value);
  int SelectedColor() const;
};
