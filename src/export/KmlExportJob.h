#pragma once
// The KML export of the loaded logs: the dialog's inputs and its checks in
// their order, in front of the track export job that writes the file with
// a KmlTrackWriter. The window's dialog and korvane-cli both drive this
// class; the dialog only shows what it says.
//
// The logs (and the log graph) must stay as they are until the end has
// been delivered.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/AppSetting.h"
#include "export/ExportMessages.h"
#include "export/KmlDocument.h"
#include "export/KmlTrackWriter.h"
#include "export/TrackExportJob.h"
#include "platform/Prompt.h"
#include "telemetry/GSensorGraphModel.h"

class CInfoLogFile;

// Ranges of the dialog's numeric fields.
constexpr int kKmlIntervalMin = 1;
constexpr int kKmlIntervalMax = 30;
constexpr int kKmlLineWidthMin = 1;
constexpr int kKmlLineWidthMax = 10;
constexpr int kKmlOpacityMin = 0;
constexpr int kKmlOpacityMax = 255;

struct KmlExportInputs {
  std::string folder;
  std::string fileName;  // without ".kml"
  bool pointer = true;
  int pointerInterval = 10;  // seconds
  bool route = true;
  int lineWidth = 5;
  int lineOpacity = 100;
  int lineColor = 255;  // 0x00BBGGRR, one of kKmlLineColors
  std::string iconServer{kDefaultKmlIconServer};
  SpeedUnit speedUnit = SpeedUnit::kKmh;  // of the marks' speed rows
};

// The inputs as the dialog opens with them: the settings' values, the
// colour list's entry for the stored colour.
KmlExportInputs KmlInputsFromSettings(const KmlSetting& settings, const std::string& folder);

// The field a failed check puts the focus on.
enum class KmlField { kNone, kInterval, kLineWidth, kLineOpacity, kLineColor, kFolder, kFileName };

struct KmlCheckFailure {
  LangText message;
  KmlField field = KmlField::kNone;
};

// The checks of Start before the overwrite question, in their order: the
// interval (point marks on), width, opacity and colour (route on), the
// folder, the file name. A colour outside the list and both parts off never
// pass (the dialog cannot produce either).
std::optional<KmlCheckFailure> CheckKmlInputs(const KmlExportInputs& inputs);

// "<folder>/<trimmed file name>.kml".
std::string KmlOutputPath(const KmlExportInputs& inputs);

// The outcomes of Start are the track exports'; a file that cannot be
// created carries kMsgSaveLogFileFail.
using KmlStart = TrackStart;

struct KmlStartResult {
  KmlStart outcome = KmlStart::kFailed;
  std::optional<KmlCheckFailure> failure;
};

class KmlExportJob {
 public:
  explicit KmlExportJob(UiQueue& ui) : job_(ui) {}

  // The Start button: the checks, the overwrite question through prompt,
  // a test creation of the file, then the worker. The end callback gets
  // ExportResult::kFailed, ExportResult::kCancelled or ExportResult::kDone on the user-interface
  // thread. logGraph (may be null) marks the event points; it is copied.
  KmlStartResult Start(const KmlExportInputs& inputs, std::vector<const CInfoLogFile*> logs,
                       const GSensorGraphModel* logGraph, Prompt& prompt,
                       std::function<void(ExportResult result)> onEnd);

  // The cancel flag; the worker reads it before each log.
  void Cancel() { job_.Cancel(); }
  bool Running() const { return job_.Running(); }
  // Range 0..records of the log being written, position, and "log / logs".
  const ExportProgress& Progress() const { return job_.Progress(); }

  const std::string& OutputPath() const { return job_.OutputPath(); }
  // After the end: why the file could not be written, the marks and the
  // route positions written.
  const std::string& Error() const { return job_.Error(); }
  int MarkCount() const { return Writer() ? Writer()->MarkCount() : 0; }
  int RoutePositionCount() const { return Writer() ? Writer()->RoutePositionCount() : 0; }

 private:
  // The job is given KML writers only.
  const KmlTrackWriter* Writer() const { return static_cast<const KmlTrackWriter*>(job_.Writer()); }

  TrackExportJob job_;
};
