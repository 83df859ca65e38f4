#pragma once
// The KML format of the Run Google Earth export: the header with its
// styles, a point mark at most every interval seconds of each log (marks on
// an event point of the log graph have their own icon), and the route of
// every position with a fix as one line after them.

#include <cstdint>
#include <string>

#include "export/KmlDocument.h"
#include "export/KmlTexts.h"
#include "export/TrackWriter.h"
#include "platform/DateTime.h"
#include "telemetry/GSensorGraphModel.h"

struct KmlWriterSetup {
  bool pointer = true;
  int pointerInterval = 10;  // seconds
  bool route = true;
  KmlLineStyle line;
  std::string iconServer{kDefaultKmlIconServer};
  KmlTexts texts;
  DateTime documentTime;  // the document's name
};

class KmlTrackWriter final : public TrackWriter {
 public:
  // logGraph (may be null) marks the event points; it is copied.
  KmlTrackWriter(KmlWriterSetup setup, const GSensorGraphModel* logGraph);

  void Begin(std::string& out) override;
  void BeginSource(std::string& out, const TrackSource& source) override;
  void Point(std::string& out, const TrackPoint& point) override;
  void EndSource(std::string& out) override;
  void End(std::string& out) override;
  int Written() const override { return markCount_; }

  int MarkCount() const { return markCount_; }
  int RoutePositionCount() const { return routeCount_; }

 private:
  bool IsEventPoint(int64_t time) const;

  KmlWriterSetup setup_;
  KmlMarkParts markParts_;  // of setup_'s texts and icon server
  GSensorGraphModel eventPoints_;
  bool haveEventPoints_ = false;
  int64_t lastMark_ = 0;
  std::string route_;
  int markCount_ = 0;
  int routeCount_ = 0;
};
