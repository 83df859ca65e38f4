#pragma once
// The compass word of a GPS course, used by the log info pane and printing.

#include <string>

// The GUI text CourseN .. CourseNW of the 45-degree sector centred on a
// direction; "X" for a course outside 0 <= c < 360.
std::string CourseText(double degrees);
