#pragma once
// One track file format: it turns the sources' points into the file's text,
// appending to out, in the order the export hands them over. The job that
// drives it (TrackExportJob) owns the file, the worker, the progress and
// the end; a writer knows nothing of them, so a new format is a writer and
// nothing else.

#include <string>

#include "export/TrackPoints.h"
#include "export/TrackSource.h"

class TrackWriter {
 public:
  virtual ~TrackWriter() = default;

  // Before the first source.
  virtual void Begin(std::string& out) = 0;
  virtual void BeginSource(std::string& out, const TrackSource& source) = 0;
  // Every point of the source, fix or not.
  virtual void Point(std::string& out, const TrackPoint& point) = 0;
  virtual void EndSource(std::string& out) = 0;
  // After the last source, also after a cancel.
  virtual void End(std::string& out) = 0;

  // What the file holds, for the end's report: track points, rows or
  // point marks, as the format counts them.
  virtual int Written() const = 0;
};
