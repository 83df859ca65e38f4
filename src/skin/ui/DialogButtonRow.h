#pragma once
// The row of buttons at the foot of the window's own dialogs: right-aligned,
// and none of them made the default button by taking the focus, so Enter
// in a field never starts or closes anything by itself.
#include <QHBoxLayout>
#include <QPushButton>
#include <initializer_list>

QHBoxLayout* DialogButtonRow(std::initializer_list<QPushButton*> buttons);
