#pragma once
// Draws the skinned list box's rows: dark, the selected one lit, each row
// the text height plus 4 pixels and never lower than its icon plus 4.
#include <QStyledItemDelegate>

class VxListRowDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  static const QColor& Background();

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
