#include "skin/ui/HoverPoll.h"

#include <QCursor>
#include <QTimerEvent>
#include <QWidget>

namespace hover_poll {

void OnMove(QWidget& widget, bool& hovering, QBasicTimer& poll) {
  if (hovering) return;
  hovering = true;
  poll.start(kIntervalMs, &widget);
  widget.update();
}

bool OnTimer(QWidget& widget, const QTimerEvent& event, bool& hovering, QBasicTimer& poll) {
  if (event.timerId() != poll.timerId()) return false;
  if (!widget.rect().contains(widget.mapFromGlobal(QCursor::pos()))) OnLeave(widget, hovering, poll);
  return true;
}

void OnLeave(QWidget& widget, bool& hovering, QBasicTimer& poll) {
  poll.stop();
  if (!hovering) return;
  hovering = false;
  widget.update();
}

}  // namespace hover_poll
