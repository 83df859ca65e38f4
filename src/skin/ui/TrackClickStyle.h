#pragma once
// A slider of a few levels that a click on its track sets to the level
// under the pointer, as its ticks invite, rather than stepping one level
// towards it.
class QSlider;

void UseTrackClickStyle(QSlider* slider);
