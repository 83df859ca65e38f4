#pragma once
// The play-position slide bar without its window: the range and clamped
// position, where the thumb stands for a position and back, the event
// markers, and the drag rules. The window draws and forwards the mouse.
#include <vector>

class SlideBarGeometry {
 public:
  int Minimum() const { return minimum_; }
  int Maximum() const { return maximum_; }
  int Position() const { return position_; }
  // A maximum below the minimum is taken as the minimum. The position is
  // clamped into the new range; true when that moved it.
  bool SetRange(int minimum, int maximum);
  // Clamped into the range; true when the stored position changed.
  bool SetPosition(int position);

  // The track area: the thumb centre travels from leftMargin + thumb / 2 to
  // width − rightMargin − thumb / 2.
  void SetTrack(int leftMargin, int rightMargin, int width);
  void SetThumbWidth(int thumbWidth);
  int LeftMargin() const { return leftMargin_; }
  int RightMargin() const { return rightMargin_; }
  int Width() const { return width_; }
  int ThumbWidth() const { return thumbWidth_; }

  // The x of the thumb centre for position (not clamped, so markers outside
  // the range land outside the travel).
  int ThumbCentre(int position) const;
  // The position whose thumb centre is nearest to x, clamped into the range.
  int PositionAtX(int x) const;

  // Markers: positions in insertion order, each at most once. False when
  // the position is already marked.
  bool AddMarker(int position);
  void ClearMarkers() { markers_.clear(); }
  const std::vector<int>& Markers() const { return markers_; }

  // A left press at x starts a drag. A press on the thumb keeps the distance
  // to its centre so the thumb does not jump; a press elsewhere puts the
  // centre under the cursor at once. True when the position changed.
  bool Press(int x);
  // True when the drag moved the position.
  bool Move(int x);
  // Ends the drag; true when one was under way.
  bool Release();
  bool Dragging() const { return dragging_; }
  int GrabOffset() const { return grabOffset_; }

 private:
  // The centre's first and last x and the pixel distance between them.
  int TravelStart() const { return leftMargin_ + thumbWidth_ / 2; }
  int TravelEnd() const { return width_ - rightMargin_ - thumbWidth_ / 2; }
  int TravelSpan() const { return width_ - rightMargin_ - leftMargin_ - thumbWidth_; }
  bool MoveCentreTo(int x);

  int minimum_ = 0;
  int maximum_ = 0;
  int position_ = 0;
  int leftMargin_ = 0;
  int rightMargin_ = 0;
  int width_ = 0;
  int thumbWidth_ = 0;
  std::vector<int> markers_;
  bool dragging_ = false;
  int grabOffset_ = 0;
};
