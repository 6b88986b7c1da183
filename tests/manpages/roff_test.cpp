#include <gtest/gtest.h>

#include "manpages/roff.h"

namespace zq::man {
namespace {

struct Case {
  const char* input;
  const char* roff;
};

TEST(RoffTextTest, PrintsWhatTheHelpSaysAndNothingElse) {
  const Case cases[] = {
      // A backslash would start an escape: "zq:\GAME" would lose its letter.
      {"folder zq:\\GAME", "folder zq:\\eGAME\n"},
      {"zq:\\", "zq:\\e\n"},
      // A leading dot or quote would be a request, and the line would vanish.
      {".fpk files", "\\&.fpk files\n"},
      {"first\n.zpk too", "first\n\\&.zpk too\n"},
      {"'quoted' start", "\\&\\(aqquoted\\(aq start\n"},
      // Options and negative numbers get minus signs; names keep hyphens.
      {"answered by --yes", "answered by \\-\\-yes\n"},
      {"zq61-cli and PC-Link", "zq61-cli and PC-Link\n"},
      {"(--yes) \"-q\" [-v]", "(\\-\\-yes) \"\\-q\" [\\-v]\n"},
      {"status -1 on time-out", "status \\-1 on time-out\n"},
      {"--device-dir DIR", "\\-\\-device\\-dir DIR\n"},
      // Typewriter quotes, not typographic ones.
      {"`x' ~/a ^b", "\\(gax\\(aq \\(ti/a \\(hab\n"},
      // Leading blanks would break the line, empty lines would add space.
      {"   indented\n\n  \nnext  ", "indented\nnext\n"},
      {"", ""},
      // Beyond ASCII: Unicode escapes; bytes that are not UTF-8 become '?'.
      {"caf\xC3\xA9", "caf\\[u00E9]\n"},
      {"\xED\x95\x9C", "\\[uD55C]\n"},
      {"\xF0\x9F\x8E\xAE", "\\[u1F3AE]\n"},
      {"a\xFF.b", "a?.b\n"},
      {"\xC3", "?\n"},
      {"\xC0\xAF", "??\n"},       // an overlong '/'
      {"\xED\xA0\x80", "???\n"},  // a surrogate
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RoffText(c.input), c.roff) << c.input;
  }
}

TEST(RoffTermTest, LiteralsBoldPlaceholdersItalic) {
  const Case cases[] = {
      {"--card DIR", "\\fB\\-\\-card\\fR \\fIDIR\\fR"},
      {"-y, --yes", "\\fB\\-y\\fR, \\fB\\-\\-yes\\fR"},
      {"put PC_PATH... CONSOLE_FOLDER", "\\fBput\\fR \\fIPC_PATH\\fR... \\fICONSOLE_FOLDER\\fR"},
      {"ls [CONSOLE_FOLDER]", "\\fBls\\fR [\\fICONSOLE_FOLDER\\fR]"},
      {"zq61-emu --card DIR [options]",
       "\\fBzq61\\-emu\\fR \\fB\\-\\-card\\fR \\fIDIR\\fR [\\fIoptions\\fR]"},
      {"--firmware MAJOR.MINOR", "\\fB\\-\\-firmware\\fR \\fIMAJOR.MINOR\\fR"},
      {"mp3 send FILE... [--name N]",
       "\\fBmp3\\fR \\fBsend\\fR \\fIFILE\\fR... [\\fB\\-\\-name\\fR \\fIN\\fR]"},
      {"  spaced    out  ", "\\fBspaced\\fR \\fBout\\fR"},
      {"... more", "\\&... \\fBmore\\fR"},
      {"dir\\name", "\\fBdir\\ename\\fR"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RoffTerm(c.input), c.roff) << c.input;
  }
}

TEST(RoffLiteralTest, EveryHyphenIsTyped) {
  EXPECT_EQ(RoffLiteral("zq61-cli"), "zq61\\-cli");
  EXPECT_EQ(RoffLiteral("~/.config/ZQ61 Program"), "\\(ti/.config/ZQ61 Program");
  EXPECT_EQ(RoffLiteral(".hidden-file"), "\\&.hidden\\-file");
  EXPECT_EQ(RoffLiteral(""), "");
}

}  // namespace
}  // namespace zq::man
