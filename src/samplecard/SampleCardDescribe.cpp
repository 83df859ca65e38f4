// The summary that korvane-cli prints after making a sample card.

#include <cstdio>

#include "samplecard/SampleCard.h"

namespace {

struct CodeName {
  int code;
  const char* name;
};

constexpr CodeName kEventNames[] = {{0, "Normal"},     {1, "G-Sensor"},     {2, "Switch"}, {4, "RD Detect"},
                                    {8, "ACC Switch"}, {16, "Battery Off"}, {32, "Event"}};
constexpr CodeName kExtendedNames[] = {
    {1, "Shock"}, {2, "Sudden Accel/Brake"}, {3, "Sudden Steering"}, {4, "External Trigger"}};

template <size_t N>
std::string NameOf(const CodeName (&table)[N], int code) {
  for (const CodeName& entry : table) {
    if (entry.code == code) return entry.name;
  }
  return "";
}

std::string Format(const char* format, auto... args) {
  char text[512];
  const int length = std::snprintf(text, sizeof text, format, args...);
  return std::string(text, length < 0 ? 0 : static_cast<size_t>(length));
}

std::string Megabytes(uint64_t bytes) {
  if (bytes < 1000000) return Format("%.0f kB", static_cast<double>(bytes) / 1e3);
  return Format("%.1f MB", static_cast<double>(bytes) / 1e6);
}

std::string IndexText(const SampleVideo& v) {
  std::string text;
  switch (v.variant) {
    case SampleIndexVariant::kTrailer92:
      text = v.identityFlag ? "92-byte trailer with identity" : "92-byte trailer without identity";
      break;
    case SampleIndexVariant::kTrailer26:
      text = "26-byte trailer";
      break;
    case SampleIndexVariant::kNoTrailer:
      text = "no trailer";
      break;
    case SampleIndexVariant::kNoIndex:
      return "no index file";
  }
  text += Format(", %u-byte records, magic %s", v.recordSize, v.recordFormat == 2 ? "0xDD0000A2" : "0xEE0000A1");
  if (v.calibration.angle != 0) text += Format(", angle %d", v.calibration.angle);
  if (v.damage == SampleIndexDamage::kBadMagic) text += Format(", record %d has a bad magic", v.damagedRecord);
  if (v.damage == SampleIndexDamage::kMonth13) text += Format(", record %d has month 13", v.damagedRecord);
  return text;
}

std::string VideoLine(const SampleVideo& v) {
  std::string event = NameOf(kEventNames, v.eventCode);
  if (v.eventCode == 32 && v.extendedCode != 0) event += " (" + NameOf(kExtendedNames, v.extendedCode) + ")";
  std::string extras;
  if (v.halfHeight) extras += ", half height";
  if (v.app1) extras += ", APP1";
  return Format("  %-6s %s  %s, %zu frames at %d fps, %dx%d%s, %s; %s\n",
                v.kind == SampleVideoKind::kEvent ? "event" : "normal", v.dataPath.filename().c_str(), event.c_str(),
                v.frames.size(), v.fps, v.width, v.height, extras.c_str(), Megabytes(v.dataBytes).c_str(),
                IndexText(v).c_str());
}

}  // namespace

std::string DescribeSampleCard(const SampleCard& card) {
  size_t events = 0;
  size_t frames = 0;
  for (const SampleVideo& v : card.videos) {
    if (v.kind == SampleVideoKind::kEvent) ++events;
    frames += v.frames.size();
  }
  size_t records = 0;
  for (const SampleLog& log : card.logs) records += log.records.size();
  std::string text = Format(
      "Sample card %s: %zu event, %zu normal and %zu log recordings, %zu frames, %zu log "
      "records, %s\n",
      card.root.c_str(), events, card.videos.size() - events, card.logs.size(), frames, records,
      Megabytes(card.totalBytes).c_str());
  for (const SampleVideo& v : card.videos) text += VideoLine(v);
  for (const SampleLog& log : card.logs) {
    text += Format("  %-6s %s  %zu records%s, %s\n", "log", log.path.filename().c_str(), log.records.size(),
                   log.byteOrderMark ? ", byte-order mark" : "", Megabytes(log.bytes).c_str());
  }
  text += Format("  config set.ini CARPULSETYPE=%d, version.ini VERSION=%s\n", card.pulseType, card.version.c_str());
  return text;
}
