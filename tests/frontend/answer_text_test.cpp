// Comma-text splitting and the clean-up of a data line: the grid's columns depend on both.
#include <gtest/gtest.h>

#include "frontend/answer_line.h"
#include "frontend/comma_text.h"

namespace {

using frontend::CleanDataLine;
using frontend::SplitCommaText;
using TValues = std::vector<std::string>;

TEST(SplitCommaText, FollowsThePlatformRule) {
  struct TCase {
    std::string Text;
    TValues Expected;
  };
  const TCase cases[] = {
      // Blanks split unquoted text, doubled quotes stand for one, a final comma adds a value.
      {R"("a b",c d,,"x""y",)", {"a b", "c", "d", "", "x\"y", ""}},
      // An answer header: the bracket fragments count as values.
      {R"([["NAME","B01001_001E"],)", {"[[\"NAME\"", "B01001_001E", "]", ""}},
      {"", {}},
      {" \t\r ", {}},
      {"  a", {"a"}},
      {"a, ", {"a"}},  // the comma is not the last character: no empty value
      {"a ,b", {"a", "b"}},
      {",", {"", ""}},
      {"a,,b", {"a", "", "b"}},
      {R"("open ended)", {"open ended"}},
      {R"("ab"cd,e)", {"ab", "cd", "e"}},
      {R"("Orange County, California","3164063")", {"Orange County, California", "3164063"}},
      {std::string("a,b\0,c", 6), {"a", "b"}},  // NUL ends the text
      {std::string("\0a", 2), {}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitCommaText(c.Text), c.Expected) << c.Text;
}

TEST(CleanDataLine, RewritesCodesNullsAndBrackets) {
  struct TCase {
    const char* Line;
    const char* Expected;
  };
  const TCase cases[] = {
      {R"(["Irvine city, California","307670","06","36770"]])",
       R"("Irvine city, California","307670","06","36770")"},
      {R"(["X",null,"-666666666","06"],)", R"("X","-1","-6","06",)"},
      // Only the matched part of a longer run of sixes goes; other negative codes stay.
      {R"(["-6666666666","-555555555","-222222222"])", R"("-66","-555555555","-222222222")"},
      {"[null,null]", R"("-1","-1")"},
      // Quoted names keep brackets and the word null (a rewrite there would break the quoting).
      {R"(["Annull [old] town",null])", R"("Annull [old] town","-1")"},
      {R"(["say \"null\" [x]",1])", R"("say \"null\" [x]",1)"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(CleanDataLine(c.Line), c.Expected) << c.Line;
}

TEST(CsvLine, QuotesTheKeyFieldsAndFailedValues) {
  frontend::TGeoCode geo{"140", "22", "5", "04013216813"};
  EXPECT_EQ(frontend::CsvKeyFields(geo), R"("140","22","5",)");
  EXPECT_EQ(frontend::CsvKeyFields({"1\"0", "", "", ""}), R"("1""0","","",)");
  EXPECT_EQ(frontend::FailedValues(3), R"("-1","-1","-1")");
  EXPECT_EQ(frontend::FailedValues(0), "");
}

}  // namespace
