// The GPX format: one track per source, one track point per point with a
// fix.

#include "base/CommandIds.h"
#include "export/GpxDocument.h"
#include "export/TrackFormat.h"

namespace {

class GpxTrackWriter final : public TrackWriter {
 public:
  void Begin(std::string& out) override { AppendGpxStart(out); }
  void BeginSource(std::string& out, const TrackSource& source) override { AppendGpxTrackStart(out, source.name); }
  void Point(std::string& out, const TrackPoint& point) override {
    if (!point.fix) return;
    AppendGpxPoint(out, point);
    ++written_;
  }
  void EndSource(std::string& out) override { AppendGpxTrackEnd(out); }
  void End(std::string& out) override { AppendGpxEnd(out); }
  int Written() const override { return written_; }

 private:
  int written_ = 0;
};

std::unique_ptr<TrackWriter> MakeGpxWriter() { return std::make_unique<GpxTrackWriter>(); }

}  // namespace

const TrackFormat TrackFormat::kGpx{"GPX",
                                    ".gpx",
                                    {"ExportGpx", "Export GPX"},
                                    MakeGpxWriter,
                                    "export-gpx",
                                    kIdToolExportGpx,
                                    {"ToolExportGpx", "Export GPX(&X)"},
                                    "Write the GPS track of recordings and logs as GPX 1.1 (points with a fix)",
                                    "the GPX file to write"};
