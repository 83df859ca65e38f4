// Every XML file we write stays well-formed whatever a name or language text
// holds, as xmllint reads it; the map page's texts stay valid UTF-8.

#include <gtest/gtest.h>

#include "export/GpxDocument.h"
#include "export/KmlDocument.h"
#include "mapctrl/JsonString.h"
#include "platform/XmlText.h"
#include "support/CliRun.h"
#include "support/TempDir.h"

namespace {

std::string KmlWithTexts(const std::string& name) {
  KmlTexts texts = LoadKmlTexts(SpeedUnit::kKmh);
  for (std::string* text : {&texts.year, &texts.pointer, &texts.route, &texts.date, &texts.speed, &texts.degree})
    *text = name;
  texts.weekdays.fill(name);
  std::string out;
  AppendKmlHeader(out, texts, DateTime{2012, 5, 4, 3, 10, 15, 30, 0}, kDefaultKmlIconServer, KmlLineStyle{});
  AppendKmlPointFolderStart(out, texts);
  AppendKmlPointMark(out, texts, kDefaultKmlIconServer, KmlMark{1336032930000, 37.5, 127.0, 50, 90, true});
  AppendKmlFolderEnd(out);
  AppendKmlRoute(out, texts, "127.000000,37.500000,0 ");
  AppendKmlEnd(out);
  return out;
}

std::string GpxWithTrack(const std::string& name) {
  std::string out;
  AppendGpxStart(out);
  AppendGpxTrackStart(out, name);
  AppendGpxTrackEnd(out);
  AppendGpxEnd(out);
  return out;
}

bool ReadsAs(const std::string& command, const std::string& bytes) {
  TempDir dir;
  const auto file = dir.Write("doc", bytes);
  return RunShell(command + " " + ShellQuote(file.string()) + " >/dev/null 2>&1").exitStatus == 0;
}

TEST(XmlText, NoNameBreaksAnXmlFileOrThePagesTexts) {
  const std::string names[] = {
      "\x01\x1b",            // C0 controls
      "\xff\xfe",            // no UTF-8 at all
      "a\xC2\x85z",          // a C1 control
      "\xED\xA0\x80",        // a surrogate, which UTF-8 may not carry
      "\xEF\xBF\xBE",        // U+FFFE
      "\xE2\x82",            // a cut-off sequence
      "]]><x a='\"'>&",      // markup and the end of a CDATA section
      "drive \xEC\x84\x9C",  // a real character, which is kept
  };
  for (const std::string& name : names) {
    SCOPED_TRACE(testing::PrintToString(name));
    EXPECT_TRUE(ReadsAs("xmllint --noout", KmlWithTexts(name)));
    EXPECT_TRUE(ReadsAs("xmllint --noout", GpxWithTrack(name)));
    EXPECT_TRUE(ReadsAs("iconv -f UTF-8 -t UTF-8", JsonString(name)));
  }
  EXPECT_EQ(XmlText("drive \xEC\x84\x9C"), "drive \xEC\x84\x9C");
  EXPECT_EQ(XmlText("a\tb\x01"), "a\tb\xEF\xBF\xBD");
}

}  // namespace
