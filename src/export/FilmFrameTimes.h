#pragma once
// Which frame times a film can trust. A recorder's clock moves forward a
// frame at a time, so a frame dated far from both frames beside it is a
// damaged index record, not a moment of the drive: the film leaves it out.
// A real gap (every frame after it agrees with the one before it) is more
// than a film spans: the film ends there. Together the two rules keep the
// empty samples between two pictures to a few seconds' worth, whatever the
// index holds.

#include <cstdint>

class CInfoEventFile;

// A film stops at a gap of more than this many whole seconds, and a frame
// further than this from each of its neighbours is damaged.
constexpr int64_t kLongestGapSeconds = 5;

// Whether later lies more than kLongestGapSeconds (in whole seconds) after
// earlier; both are time keys in milliseconds.
bool BeyondLongestGap(int64_t earlier, int64_t later);

// Whether frame's time is damaged: it lies more than kLongestGapSeconds away
// from the time of every neighbour the recording has (one for its first and
// last frame). A recording of one frame has nothing to compare with.
bool FrameTimeDamaged(const CInfoEventFile& recording, int frame);

// The first frame from start whose time can be trusted: a film's clock
// starts there, since a damaged start frame would date every later frame as
// too early (or the proposed range as empty). start when none is.
int FirstTrustedFrame(const CInfoEventFile& recording, int start);

// The last frame whose time can be trusted, for the range a dialog
// proposes.
int LastTrustedFrame(const CInfoEventFile& recording);
