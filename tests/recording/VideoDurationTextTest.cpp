#include <gtest/gtest.h>

#include "recording/InfoEventFile.h"
#include "recording/VideoBytes.h"
#include "recording/VideoDurationText.h"
#include "recording/VideoSpanProbe.h"
#include "recording/WaitingLoadObserver.h"
#include "support/TempDir.h"

namespace {

// A recorder with a wrong clock can stamp frames a century apart; the span
// is more seconds than an int holds, and the list and the loaded recording
// must still show the same count of minutes.
TEST(VideoDurationTextTest, SpansBeyondAnIntStayInMinutes) {
  TempDir dir;
  TestRecord first;
  first.time = DateTime{1990, 1, 1, 1, 12, 0, 0, 0};
  TestRecord last = first;
  last.time.year = 2099;
  Bytes index = EncodeRecord(first, 66);
  Append(index, EncodeRecord(last, 66));
  TestTrailer t;
  t.frameCount = 2;
  Append(index, EncodeTrailer(t));
  dir.Write("REC_0001.vdx", AsText(index));
  const std::string data = dir.Write("REC_0001.vdd", AsText(CommentPicture(TestComment{}))).string();

  // 109 years with 27 leap days, both ends in winter time.
  const int64_t seconds = (109 * 365 + 27) * int64_t{86400};
  EXPECT_EQ(ReadVideoSpanSeconds(data), std::optional<int64_t>(seconds));
  EXPECT_EQ(VideoDurationText(seconds), "57329280 Min");
  CInfoEventFile loaded;
  ASSERT_EQ(loaded.LoadVideoRecording(data, nullptr), 1);
  ASSERT_EQ(loaded.FrameCount(), 2);
  EXPECT_EQ(loaded.GetDurationText(), "57329280 Min");
}

}  // namespace

// A G value or a coordinate can hold the bytes FF D9: the list must end the
// picture where the scan does, not inside its comment block.
TEST(VideoDurationTextTest, EndOfImageBytesInTheCommentDoNotCutThePictureShort) {
  TempDir dir;
  TestComment first;
  first.gx = static_cast<int16_t>(0xD9FF);  // little-endian FF D9
  TestComment last;
  last.stamp[5] = 45;
  Bytes data = CommentPicture(first, 400);
  Append(data, CommentPicture(last, 400));
  const std::string path = dir.Write("REC_0002.vdd", AsText(data)).string();

  const std::optional<VideoFrameSpan> span = ReadVideoFrameSpan(path);
  ASSERT_TRUE(span.has_value());
  CInfoEventFile loaded;
  WaitingLoadObserver observer;
  observer.BeginLoad();
  ASSERT_EQ(loaded.LoadVideoRecording(path, &observer), 1);
  ASSERT_TRUE(observer.WaitForLoadEnded(10000));
  ASSERT_EQ(loaded.FrameCount(), 2);
  EXPECT_EQ(span->first, loaded.Frame(0).time);
  EXPECT_EQ(span->last, loaded.Frame(1).time);
}

// The text holds the count and the word as they are, up to the length the
// text has always been cut to; a span that runs backwards still counts.
TEST(VideoDurationTextTest, CountAndWordAsGivenUpToTheLongestText) {
  const std::string longWord(200, 'w');
  struct Case {
    int64_t seconds;
    DurationWords words;
    std::string text;
  };
  const Case cases[] = {
      {-6, {"Sec", "Min"}, "-5 Sec"},
      {59, {"Sec", "Min"}, "1 Min"},
      {3, {std::string("S\0x", 3), "Min"}, "4 S"},  // a word ends at a NUL
      {0, {longWord, "Min"}, ("1 " + longWord).substr(0, 127)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(VideoDurationText(c.seconds, c.words), c.text) << c.seconds;
  }
}
