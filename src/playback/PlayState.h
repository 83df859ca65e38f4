#pragma once
// The play states of the play controller and what each one means for the
// video timer (period, speed factor) and the log timer (period, step).
// Other parts of the window compare against these values, so they are the
// recorder software's own numbers.

#include <cstdint>
#include <string_view>

enum class PlayState : int {
  PS_STOP = 1,
  PS_PLAY_HALF = 2,
  PS_PLAY = 3,
  PS_FAST_2 = 4,
  PS_FAST_4 = 5,
  PS_FAST_8 = 6,
  PS_FAST_16 = 7,
  PS_REVERSE_HALF = 8,
  PS_REVERSE = 9,
  PS_FAST_REVERSE_2 = 10,
  PS_FAST_REVERSE_4 = 11,
  PS_FAST_REVERSE_8 = 12,
  PS_FAST_REVERSE_16 = 13,
};
// The recorder software's names stand on their own.
using enum PlayState;

struct PlayStateEntry {
  PlayState state;
  int factor;  // elapsed milliseconds times this; 0 stands for one half
  int sign;    // +1 forward, -1 reverse
  int videoPeriodMs;
  int logPeriodMs;
  int logStep;
};

// One row per state 2..13.
inline constexpr PlayStateEntry kPlayStateTable[] = {
    {PS_PLAY_HALF, 0, +1, 50, 2000, +1},     {PS_PLAY, 1, +1, 25, 1000, +1},
    {PS_FAST_2, 2, +1, 33, 500, +1},         {PS_FAST_4, 4, +1, 33, 250, +1},
    {PS_FAST_8, 8, +1, 33, 125, +1},         {PS_FAST_16, 16, +1, 33, 62, +1},
    {PS_REVERSE_HALF, 0, -1, 50, 2000, -1},  {PS_REVERSE, 1, -1, 25, 1000, -1},
    {PS_FAST_REVERSE_2, 2, -1, 33, 500, -1}, {PS_FAST_REVERSE_4, 4, -1, 33, 250, -1},
    {PS_FAST_REVERSE_8, 8, -1, 33, 125, -1}, {PS_FAST_REVERSE_16, 16, -1, 33, 62, -1},
};

// What a state outside the table plays like.
inline constexpr PlayStateEntry kPlayStateFallback{PlayState{0}, 1, +1, 25, 1000, +1};

constexpr const PlayStateEntry& PlayStateOf(PlayState state) {
  for (const PlayStateEntry& entry : kPlayStateTable) {
    if (entry.state == state) return entry;
  }
  return kPlayStateFallback;
}

constexpr int VideoPeriodMs(PlayState state) { return PlayStateOf(state).videoPeriodMs; }
constexpr int LogPeriodMs(PlayState state) { return PlayStateOf(state).logPeriodMs; }
constexpr int LogStep(PlayState state) { return PlayStateOf(state).logStep; }

constexpr bool IsForwardState(PlayState state) { return state >= PS_PLAY_HALF && state <= PS_FAST_16; }
constexpr bool IsReverseState(PlayState state) { return state >= PS_REVERSE_HALF && state <= PS_FAST_REVERSE_16; }
// The speeds at which the map arrow follows every frame.
constexpr bool IsNormalSpeedState(PlayState state) {
  return state == PS_PLAY_HALF || state == PS_PLAY || state == PS_REVERSE_HALF || state == PS_REVERSE;
}

// How far the play position moves for elapsed milliseconds. Half speed
// halves the elapsed time first, so an odd millisecond is dropped the same
// way in both directions.
constexpr int64_t PlayDelta(PlayState state, uint32_t elapsedMs) {
  const PlayStateEntry& entry = PlayStateOf(state);
  const int64_t magnitude =
      entry.factor == 0 ? static_cast<int64_t>(elapsedMs / 2) : static_cast<int64_t>(elapsedMs) * entry.factor;
  return entry.sign * magnitude;
}

// The state after state in its fast cycle.
constexpr PlayState NextState(PlayState state) { return static_cast<PlayState>(static_cast<int>(state) + 1); }

// The state each play command leads to from the current one. Pressing a
// command again inside its own cycle steps on; entering a fast cycle from
// outside always starts at x2.
constexpr PlayState StateAfterPlay(PlayState state) { return state == PS_PLAY ? PS_PLAY_HALF : PS_PLAY; }
constexpr PlayState StateAfterReverse(PlayState state) { return state == PS_REVERSE ? PS_REVERSE_HALF : PS_REVERSE; }
constexpr PlayState StateAfterFastPlay(PlayState state) {
  return state >= PS_FAST_2 && state < PS_FAST_16 ? NextState(state) : PS_FAST_2;
}
constexpr PlayState StateAfterFastReverse(PlayState state) {
  return state >= PS_FAST_REVERSE_2 && state < PS_FAST_REVERSE_16 ? NextState(state) : PS_FAST_REVERSE_2;
}

// What the read-out beside the play buttons shows: nothing while stopped,
// else the speed in use, the same for both directions (the lit button tells
// the direction).
constexpr std::string_view PlaySpeedText(PlayState state) {
  if (!IsForwardState(state) && !IsReverseState(state)) return {};
  switch (PlayStateOf(state).factor) {
    case 0:
      return "\u00d7\u00bd";
    case 1:
      return "\u00d71";
    case 2:
      return "\u00d72";
    case 4:
      return "\u00d74";
    case 8:
      return "\u00d78";
    default:
      return "\u00d716";
  }
}
