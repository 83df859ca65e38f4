#include "export/KmlTrackWriter.h"

#include <vector>

#include "platform/Trace.h"

KmlTrackWriter::KmlTrackWriter(KmlWriterSetup setup, const GSensorGraphModel* logGraph)
    : setup_(std::move(setup)), markParts_(setup_.texts, setup_.iconServer), haveEventPoints_(logGraph != nullptr) {
  if (!logGraph) return;
  std::vector<GraphPoint> points;
  points.reserve(static_cast<size_t>(logGraph->PointCount()));
  for (int i = 0; i < logGraph->PointCount(); ++i) points.push_back(logGraph->Point(i));
  eventPoints_.LoadPoints(kViewModeLog, std::move(points));
}

void KmlTrackWriter::Begin(std::string& out) {
  KTRACE("%d, %d, %d", setup_.pointerInterval, setup_.line.width, setup_.line.opacity);
  out += kUtf8ByteOrderMark;
  AppendKmlHeader(out, setup_.texts, setup_.documentTime, setup_.iconServer, setup_.line);
  if (setup_.pointer) AppendKmlPointFolderStart(out, setup_.texts);
}

// Each log has marks from its first position with a fix on.
void KmlTrackWriter::BeginSource(std::string&, const TrackSource&) { lastMark_ = 0; }

void KmlTrackWriter::Point(std::string& out, const TrackPoint& p) {
  if (!p.fix) return;
  const int64_t intervalMs = static_cast<int64_t>(setup_.pointerInterval) * 1000;
  if (setup_.pointer && p.timeKey - lastMark_ >= intervalMs) {
    AppendKmlPointMark(out, markParts_,
                       {p.timeKey, p.latitude, p.longitude, static_cast<float>(p.gpsSpeed),
                        static_cast<float>(p.course), IsEventPoint(p.timeKey)});
    lastMark_ = p.timeKey;
    ++markCount_;
  }
  if (setup_.route) {
    AppendKmlRoutePosition(route_, p.latitude, p.longitude);
    ++routeCount_;
  }
}

void KmlTrackWriter::EndSource(std::string&) {}

void KmlTrackWriter::End(std::string& out) {
  if (setup_.pointer) AppendKmlFolderEnd(out);
  if (setup_.route) AppendKmlRoute(out, setup_.texts, route_);
  AppendKmlEnd(out);
}

bool KmlTrackWriter::IsEventPoint(int64_t time) const {
  if (!haveEventPoints_) return false;
  const int found = eventPoints_.FindPointByTime(time, false);
  return found >= 0 && eventPoints_.Point(found).kind != 0;
}
