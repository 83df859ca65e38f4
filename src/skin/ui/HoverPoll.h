#pragma once
// Hover tracking shared by the skin buttons. The cursor is polled rather
// than trusted to a leave event, because a pointer that jumps off a small
// button (or off the window) does not always produce one. Each call
// repaints the widget when hovering begins or ends.
#include <QBasicTimer>

class QTimerEvent;
class QWidget;

namespace hover_poll {

constexpr int kIntervalMs = 10;

// A mouse move over the widget: hovering begins and the poll starts.
void OnMove(QWidget& widget, bool& hovering, QBasicTimer& poll);
// A timer event: false when it is not the poll's, for the caller to pass
// on. On the poll's tick hovering ends once the cursor is outside.
bool OnTimer(QWidget& widget, const QTimerEvent& event, bool& hovering, QBasicTimer& poll);
// The pointer left: hovering ends at once.
void OnLeave(QWidget& widget, bool& hovering, QBasicTimer& poll);

}  // namespace hover_poll
