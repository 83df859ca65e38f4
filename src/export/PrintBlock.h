#pragma once
// What a printed page says about one frame: its lines in their order, each
// a label and its value in the printed format, and on the MX-H the car's
// four lamps. The page painter places them; the texts are fixed here.

#include <string>
#include <vector>

#include "recording/FrameInfoVideo.h"
#include "telemetry/SpeedUnit.h"

// The labels and words of a block, in the chosen language.
struct PrintTexts {
  std::string drid = "Recorder ID";
  std::string sdid = "SD Card ID";
  std::string fileName = "File Name";
  std::string frameNo = "Frame No.";
  std::string frameTime = "Rec Time (Recorder)";
  std::string recorderClock = "Recorder Time";
  std::string gpsTime = "Rec Time (GPS)";
  std::string gpsClock = "GPS Time";
  std::string acceleration = "Acceleration";
  std::string gpsCoord = "GPS Coordinate";
  std::string datum = "Datum WGS84";
  std::string speed = "Speed";
  std::string carPulse = "Car Pulse";
  std::string pulse = "pulse";
  std::string second = "sec";
  std::string carSignal = "Car Signal";
  std::string brake = "Brake";
  std::string emergency = "Emergency Light";
  std::string turnLeft = "Left";
  std::string turnRight = "Right";
  std::string weekdays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
};

PrintTexts LoadPrintTexts();

// One row of a block. A heading row has a label and no value; the rows
// under it are its sub-rows. The lamp row shows the block's lamps as its value.
struct PrintLine {
  std::string label;
  std::string value;
  bool subRow = false;
  bool lamps = false;

  bool Heading() const { return !subRow && !lamps && value.empty(); }
};

struct PrintLamp {
  std::string name;
  bool on = false;
};

struct PrintBlock {
  int frame = -1;  // the frame's index in its recording; its picture goes with the block
  std::vector<PrintLine> lines;
  std::vector<PrintLamp> lamps;  // MX-H only: shown with the car signal row
};

// What a block says besides the frame's own record.
struct PrintBlockSource {
  std::string drid;
  std::string sdid;
  std::string fileName;
  int frameCount = 0;
  int model = 0;       // the current recorder model; 9 adds the car pulse and lamps
  int pulseType = -1;  // the card's CARPULSETYPE; -1 unknown
  SpeedUnit speedUnit = SpeedUnit::kKmh;
};

// The recorded frames carry no GPS clock; gpsTime is for a source that has
// one (null: the dashed form).
PrintBlock MakePrintBlock(const PrintTexts& texts, const PrintBlockSource& source, const FRAMEINFOVIDEO& frame,
                          int frameIndex, const DateTime* gpsTime = nullptr);

// ": %d.%.2d.%.2d(%s)  %.2d:%.2d:%.2d", or the dashed form for null.
std::string PrintClockText(const PrintTexts& texts, const DateTime* time);
// The position rows: " dd°mm' ss.ss\" N" and "ddd°mm' ss.ss\" E", or their
// placeholders without a fix.
std::string PrintLatitudeText(const GpsBlock& gps);
std::string PrintLongitudeText(const GpsBlock& gps);

// "- %d / %d -".
std::string PrintFooterText(int page, int pageCount);
