#pragma once
// The AVI caption drawn with Qt's text renderer: each text in yellow with a
// one-pixel black outline (drawn in black one pixel up, right, down and
// left, then in yellow in place), straight into the decoded picture. The
// window and korvane-cli draw captions with this one renderer.

#include <memory>

#include "export/AviCaption.h"

class QtCaptionPainter final : public AviCaptionPainter {
 public:
  QtCaptionPainter();
  ~QtCaptionPainter() override;
  void Draw(unsigned char* pixels, int width, int height, const std::vector<CaptionLine>& texts) override;

 private:
  struct Fonts;
  std::unique_ptr<Fonts> fonts_;
};

// Text needs a Qt GUI application. The window has one; a program without a
// display (korvane-cli) gets an offscreen one here, made on the calling
// thread, which must be the main thread. False when none can be made.
bool EnsureTextRendering();
