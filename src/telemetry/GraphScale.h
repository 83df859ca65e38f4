#pragma once
// The value range of a G-sensor graph and its zoom level. The scale
// commands set both graphs alike; each step reports whether the graph has to
// be repainted.

struct GraphScale {
  static constexpr float kDefaultRange = 2.0f;
  static constexpr int kDefaultLevel = 3;
  static constexpr int kMaxLevel = 4;  // +-1 g
  static constexpr int kMinLevel = 1;  // +-4 g

  float maximum = kDefaultRange;
  float minimum = -kDefaultRange;
  int zoomLevel = kDefaultLevel;

  // Menu scales 1..4: +-1, +-2, +-3, +-4 g. False (and unchanged) for any
  // other command.
  bool SetScale(int command);
  // One level closer; at the closest level it only settles the range there
  // and returns false (no repaint).
  bool ZoomIn();
  // One level wider; at the widest level it only settles the range there and
  // returns false.
  bool ZoomOut();
  // +-2 g, level 3; always repaints.
  bool ZoomDefault();
};
