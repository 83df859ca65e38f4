#include "shell/ui/PlaySpeedLabel.h"

#include <QPainter>

#include "playback/PlayState.h"
#include "skin/ui/AppFonts.h"
#include "skin/ui/FitFont.h"
#include "skin/ui/OutlinedText.h"

namespace {

// The colour of the lit play buttons, so the two read as one.
const QColor kSpeedText(255, 176, 64);
const QColor kSpeedOutline(10, 12, 14);

}  // namespace

CPlaySpeedLabel::CPlaySpeedLabel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("playSpeed"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CPlaySpeedLabel::SetPlayState(PlayState state) {
  const std::string_view text = PlaySpeedText(state);
  const QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  if (shown == text_) return;
  text_ = shown;
  update();
}

void CPlaySpeedLabel::paintEvent(QPaintEvent* /*event*/) {
  if (text_.isEmpty()) return;
  QPainter painter(this);
  painter.setFont(FontFitting(AppFont(AppFontId::kBold), {text_}, width() - 2));
  const QFontMetrics metrics = painter.fontMetrics();
  const int x = (width() - metrics.horizontalAdvance(text_)) / 2;
  const int y = (height() + metrics.ascent() - metrics.descent()) / 2;
  DrawOutlinedText(painter, QPoint(x, y), text_, kSpeedText, kSpeedOutline);
}
