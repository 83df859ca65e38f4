#pragma once
// What the web engine needs before it starts, so that the map runs where
// the program runs: as root in a container (no sandbox there) and without a
// GPU (software drawing, e.g. under Xvfb).

// Call before the first web view is made; also gives the engine the GL
// context it shares with the window. Switches the user already set in
// QTWEBENGINE_CHROMIUM_FLAGS are kept.
void PrepareWebEngine();
