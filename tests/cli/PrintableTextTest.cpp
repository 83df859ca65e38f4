// Card text on its way to a terminal: what is escaped and what is kept.

#include <gtest/gtest.h>

#include "cli/PrintableText.h"

namespace {

TEST(PrintableText, ControlCharactersAreEscapedAndOtherTextKept) {
  EXPECT_EQ(Printable("KX17A00042"), "KX17A00042");
  EXPECT_EQ(Printable("a\nb\rc\td"), "a\\nb\\rc\\td");
  EXPECT_EQ(Printable("\x1b[2J\x07"), "\\x1B[2J\\x07");
  EXPECT_EQ(Printable(std::string("nul\0end", 7)), "nul\\x00end");
  EXPECT_EQ(Printable("back\\slash"), "back\\\\slash");  // so an escape in the output is always ours
  EXPECT_EQ(Printable("del\x7f"), "del\\x7F");
  // Hangul and other characters stay as they are; C1 controls (U+009B is
  // a CSI of its own) and bytes that start no whole sequence do not.
  EXPECT_EQ(Printable("\xEC\x9A\xB4\xEC\xA0\x84 caf\xC3\xA9"), "\xEC\x9A\xB4\xEC\xA0\x84 caf\xC3\xA9");
  EXPECT_EQ(Printable("\xC2\x9B"
                      "31m"),
            "\\xC2\\x9B31m");
  EXPECT_EQ(Printable("\x9B"
                      "31m \xFF \xE2\x82"),
            "\\x9B31m \\xFF \\xE2\\x82");
  EXPECT_EQ(OrDash(""), "-");
  EXPECT_EQ(OrDash("a\n"), "a\\n");
}

}  // namespace
