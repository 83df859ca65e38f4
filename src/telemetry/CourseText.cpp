#include "telemetry/CourseText.h"

#include <iterator>

#include "base/MgrMultiLang.h"

namespace {

struct CourseSector {
  const char* key;
  const char* defaultText;
};

// Eight 45-degree sectors, each centred on its direction; north is split
// around 0.
constexpr CourseSector kSectors[] = {
    {"CourseN", "N"}, {"CourseNE", "NE"}, {"CourseE", "E"}, {"CourseSE", "SE"},
    {"CourseS", "S"}, {"CourseSW", "SW"}, {"CourseW", "W"}, {"CourseNW", "NW"},
};
constexpr double kSectorWidth = 45.0;
constexpr double kHalfSector = 22.5;
constexpr double kFullCircle = 360.0;

}  // namespace

std::string CourseText(double degrees) {
  if (!(degrees >= 0.0 && degrees < kFullCircle)) return "X";
  int sector = static_cast<int>((degrees + kHalfSector) / kSectorWidth);
  if (sector >= static_cast<int>(std::size(kSectors))) sector = 0;
  const CourseSector& s = kSectors[sector];
  return GetLangText("GUI", s.key, s.defaultText);
}
