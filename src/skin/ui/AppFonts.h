#pragma once
// The five fonts the whole window shares: the desktop's user-interface
// face at the sizes and weights of the start-up rule, anti-aliased. Made
// once after the application object exists.
#include <QFont>

enum class AppFontId {
  kSmall = 0,    // h, weight 500: thumbnails, list rows
  kNormal = 1,   // h+1, weight 400: captions, lists
  kBold = 2,     // h+1, weight 700
  kLarge = 3,    // h+3, weight 700: the single-view overlay
  kHeading = 4,  // H, weight 700: the play-time panel
};

// Builds the fonts from the application's font; safe to call again.
void MakeAppFonts();
const QFont& AppFont(AppFontId id);
