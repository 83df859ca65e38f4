#pragma once
// The EXIF block a geotagged JPEG export puts into each picture: an APP1
// segment ("Exif\0\0" and a big-endian TIFF structure) with the frame's
// recorded time and, when the frame has a fix, its position, speed and
// course. Written by hand rather than through libexif: the block is a few
// fixed tags, and writing it ourselves keeps every byte of the picture
// around it under our control without a new dependency.

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "platform/DateTime.h"
#include "recording/FrameInfoVideo.h"

// The whole segment, marker and length included: DateTimeOriginal and
// SubSecTimeOriginal when the recorder's clock was set, the GPS IFD
// (version 2.3.0.0, latitude and longitude as degree / minute / second
// rationals, speed in km/h, true course) when gps has a fix. Empty when
// there is neither.
std::vector<unsigned char> MakeExifSegment(const DateTime& time, const GpsBlock& gps);

// Where the segment goes in a picture: right after an APP0 segment that
// follows the start of image, else right after the start of image. Nothing
// when the bytes do not begin a JPEG picture.
std::optional<size_t> ExifSegmentPlace(std::span<const unsigned char> jpeg);
