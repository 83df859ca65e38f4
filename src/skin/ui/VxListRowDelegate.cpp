#include "skin/ui/VxListRowDelegate.h"

#include <QFontMetrics>
#include <QIcon>
#include <QPainter>

namespace {

constexpr int kRowPadding = 4;
constexpr int kTextIndent = 2;
const QColor kRowBackground(28, 30, 34);
const QColor kSelectedBackground(54, 86, 138);
const QColor kText(0xFF, 0xFF, 0xFF);
const QColor kDisabledText(0xB4, 0xB4, 0xB4);

}  // namespace

const QColor& VxListRowDelegate::Background() { return kRowBackground; }

void VxListRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const bool selected = option.state & QStyle::State_Selected;
  const bool enabled = option.state & QStyle::State_Enabled;
  painter->save();
  painter->fillRect(option.rect, selected ? kSelectedBackground : kRowBackground);

  QRect textRect = option.rect.adjusted(kTextIndent, 0, -kTextIndent, 0);
  const QIcon icon = index.data(Qt::DecorationRole).value<QIcon>();
  if (!icon.isNull()) {
    const QSize iconSize = option.decorationSize;
    const QRect iconRect(textRect.left(), option.rect.top() + (option.rect.height() - iconSize.height()) / 2,
                         iconSize.width(), iconSize.height());
    icon.paint(painter, iconRect);
    textRect.setLeft(iconRect.right() + 1 + kTextIndent);
  }
  painter->setFont(option.font);
  painter->setPen(enabled ? kText : kDisabledText);
  painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                    index.data(Qt::DisplayRole).toString());
  painter->restore();
}

QSize VxListRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const QFontMetrics metrics(option.font);
  int rowHeight = metrics.height() + kRowPadding;
  const bool hasIcon = !index.data(Qt::DecorationRole).value<QIcon>().isNull();
  if (hasIcon) rowHeight = std::max(rowHeight, option.decorationSize.height() + kRowPadding);
  const int textWidth = metrics.horizontalAdvance(index.data(Qt::DisplayRole).toString()) + 2 * kTextIndent;
  return QSize(textWidth + (hasIcon ? option.decorationSize.width() + kTextIndent : 0), rowHeight);
}
