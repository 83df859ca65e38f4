#pragma once
// The program's command line: an optional card or backup folder to open,
// and the screenshot mode used by the tests and the documentation, which
// can load recordings and change the view before the picture is taken.
#include <QString>
#include <QStringList>
#include <optional>

struct StartOptions {
  QString folder;
  QString screenshot;      // a PNG to write after start-up; the program then quits
  QString load;            // event, normal or log: tick rows of that list and load them
  int count = 1;           // how many rows to tick
  bool thumbnail = false;  // switch to the 4 x 4 view after loading
  int steps = 0;           // Next frame this many times after loading
  int model = -1;          // choose this recorder model first
  int select = -1;         // then choose this row of the loaded list, as a click would
  bool close = false;      // and last press Close
  QString error;           // set when the command line is wrong
};

StartOptions ParseStartOptions(const QStringList& arguments);
QString StartOptionsUsage();

// What the program prints and exits 0 on without starting, before any
// display is opened: the usage for --help (or -h), the version for
// --version; empty when neither was asked for.
QString ImmediateAnswer(const QStringList& arguments);
