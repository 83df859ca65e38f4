#pragma once
// The AVI caption drawn with Qt's text renderer: each text in yellow with a
// one-pixel black outline (every pixel next to the text up, right, down or
// left), each text in a stamp of its own just large enough for it. A text
// is laid out and drawn once; its outline comes from its own pixels. The window and korvane-cli draw captions with this
// one renderer.

#include <memory>
#include <optional>
#include <vector>

#include "export/AviCaption.h"

class QtCaptionPainter final : public AviCaptionPainter {
 public:
  QtCaptionPainter();
  ~QtCaptionPainter() override;
  std::vector<CaptionStamp> Render(int width, int height, const std::vector<CaptionLine>& texts) override;
  // Renders the texts and stamps them onto pixels (BGR, top-down, width x 3
  // bytes a row).
  void Draw(unsigned char* pixels, int width, int height, const std::vector<CaptionLine>& texts);

 private:
  struct Fonts;
  // A text as it was drawn for the frame before: most texts stay the same
  // for a second of frames.
  struct Drawn {
    CaptionLine line;
    int width = 0;
    int height = 0;
    CaptionStamp stamp;
    bool empty = false;  // the text fell outside the picture
  };

  std::optional<CaptionStamp> RenderOne(int width, int height, const CaptionLine& text);

  std::unique_ptr<Fonts> fonts_;
  std::vector<Drawn> last_;
};

// Text needs a Qt GUI application. The window has one; a program without a
// display (korvane-cli) gets an offscreen one here, made on the calling
// thread, which must be the main thread. False when none can be made.
bool EnsureTextRendering();
