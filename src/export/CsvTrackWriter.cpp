// The CSV format: the header line, then one row per point, fix or not; the
// sources follow each other without a mark between them.

#include "base/CommandIds.h"
#include "export/CsvDocument.h"
#include "export/TrackFormat.h"

namespace {

class CsvTrackWriter final : public TrackWriter {
 public:
  void Begin(std::string& out) override { out += kTrackCsvHeader; }
  void BeginSource(std::string&, const TrackSource&) override {}
  void Point(std::string& out, const TrackPoint& point) override {
    AppendCsvRow(out, point);
    ++written_;
  }
  void EndSource(std::string&) override {}
  void End(std::string&) override {}
  int Written() const override { return written_; }

 private:
  int written_ = 0;
};

std::unique_ptr<TrackWriter> MakeCsvWriter() { return std::make_unique<CsvTrackWriter>(); }

}  // namespace

const TrackFormat TrackFormat::kCsv{"CSV",
                                    ".csv",
                                    {"ExportCsv", "Export CSV"},
                                    MakeCsvWriter,
                                    "export-csv",
                                    kIdToolExportCsv,
                                    {"ToolExportCsv", "Export CSV(&V)"},
                                    "Write the telemetry of recordings and logs as CSV, one row per frame or record",
                                    "the CSV file to write"};
