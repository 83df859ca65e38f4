#pragma once
// What the telemetry models push to the window. The models never paint; the
// window repaints from the models' state when told. Every call comes on the
// user-interface thread; the defaults do nothing.

// One G-sensor graph control (frame, labels and plot).
class GraphView {
 public:
  virtual ~GraphView() = default;
  // Curves, labels and cursor.
  virtual void Repaint() {}
  // Only the cursor strip.
  virtual void RepaintCursor() {}
  // To the parent: a point chosen while dragging (posted).
  virtual void PostPointChosen(int /*index*/) {}
  // To the parent: the point chosen on release (sent).
  virtual void SendPointChosen(int /*index*/) {}
};

enum class DigitDisplayId {
  kDateTime,
  kSpeed,
  kGValueX,
  kGValueY,
  kGValueZ,
  kPosition,
  kCarSignal,
};

// The digit displays of the back panel.
class DigitDisplayView {
 public:
  virtual ~DigitDisplayView() = default;
  virtual void RepaintDisplay(DigitDisplayId /*display*/) {}
};
