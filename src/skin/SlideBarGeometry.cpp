#include "skin/SlideBarGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

bool SlideBarGeometry::SetRange(int minimum, int maximum) {
  minimum_ = minimum;
  maximum_ = std::max(minimum, maximum);
  return SetPosition(position_);
}

bool SlideBarGeometry::SetPosition(int position) {
  const int clamped = std::clamp(position, minimum_, maximum_);
  if (clamped == position_) return false;
  position_ = clamped;
  return true;
}

void SlideBarGeometry::SetTrack(int leftMargin, int rightMargin, int width) {
  leftMargin_ = leftMargin;
  rightMargin_ = rightMargin;
  width_ = width;
}

void SlideBarGeometry::SetThumbWidth(int thumbWidth) { thumbWidth_ = std::max(0, thumbWidth); }

int SlideBarGeometry::ThumbCentre(int position) const {
  if (maximum_ == minimum_) return TravelStart();
  const double fraction = (static_cast<double>(position) - minimum_) / (static_cast<double>(maximum_) - minimum_);
  return static_cast<int>(leftMargin_ + fraction * TravelSpan() + thumbWidth_ / 2.0);
}

int SlideBarGeometry::PositionAtX(int x) const {
  const int span = TravelSpan();
  if (span <= 0 || maximum_ == minimum_) return minimum_;
  const double fraction = (x - leftMargin_ - thumbWidth_ / 2.0) / span;
  const double position = minimum_ + std::round(fraction * (static_cast<double>(maximum_) - minimum_));
  return static_cast<int>(std::clamp(position, static_cast<double>(minimum_), static_cast<double>(maximum_)));
}

bool SlideBarGeometry::AddMarker(int position) {
  if (std::find(markers_.begin(), markers_.end(), position) != markers_.end()) return false;
  markers_.push_back(position);
  return true;
}

bool SlideBarGeometry::Press(int x) {
  dragging_ = true;
  const int offset = x - ThumbCentre(position_);
  const bool onThumb = std::abs(offset) <= thumbWidth_ / 2;
  grabOffset_ = onThumb ? offset : 0;
  // Re-reading the position from the thumb's own centre could round it to
  // a neighbour when positions are denser than pixels.
  if (onThumb) return false;
  return MoveCentreTo(x);
}

bool SlideBarGeometry::Move(int x) {
  if (!dragging_) return false;
  return MoveCentreTo(x - grabOffset_);
}

bool SlideBarGeometry::Release() {
  const bool wasDragging = dragging_;
  dragging_ = false;
  grabOffset_ = 0;
  return wasDragging;
}

bool SlideBarGeometry::MoveCentreTo(int x) {
  // Not std::clamp: on a bar narrower than its thumb the bounds cross.
  const int centre = std::max(TravelStart(), std::min(x, TravelEnd()));
  return SetPosition(PositionAtX(centre));
}
