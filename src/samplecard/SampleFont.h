#pragma once
// A small built-in 5 x 7 bitmap font for the captions burnt into the sample
// pictures: digits, ". : - /", space and the capital letters the captions use.
// Other characters draw as blanks.

#include <string_view>

#include "samplecard/SampleImage.h"

constexpr int kSampleGlyphWidth = 5;
constexpr int kSampleGlyphHeight = 7;
constexpr int kSampleGlyphAdvance = 6;  // glyph plus one column of space

// Width in pixels of text drawn at a scale.
int SampleTextWidth(std::string_view text, int scaleX);

// Draws text with its top left at (x, y), each font pixel scaleX x scaleY
// picture pixels, outlined: four copies in the outline colour offset by one
// font pixel up, right, down and left, then the text in its colour.
void DrawSampleText(SampleImage* image, int x, int y, std::string_view text, int scaleX, int scaleY, SampleRgb color,
                    SampleRgb outline);
