// Formula text to tokens: golden token bytes for the cases that fix the format, every message
// of the encoder, spaces, operand classes, the length limit and the sheet references it adds.
#include <gtest/gtest.h>

#include "engine/formulas/formula_parser.h"
#include "formula_test_helpers.h"

namespace {

using engine::formulas::TFmReturnType;
using engine::formulas::TParseString;
using formula_tests::EncodeOrMessage;
using formula_tests::TFormulaTestWorkbook;

// Sheets Sheet1..Sheet3 and "My Sheet"; the reference table already holds Sheet1 at 0.
TFormulaTestWorkbook Workbook() {
  TFormulaTestWorkbook workbook;
  workbook.Sheets.push_back(u"My Sheet");
  workbook.Entries.push_back({0, 0, {}, {}});
  return workbook;
}

std::string SumOf(int AArgs) {
  std::string text = "=SUM(";
  for (int i = 0; i < AArgs; ++i) text += i == 0 ? "1" : ",1";
  return text + ")";
}

struct TCase {
  std::string Text;
  std::string Expected;  // token bytes in hex, or the message
};

TEST(FormulaParser, EncodesTokensOrRaisesTheMessage) {
  const TCase cases[] = {
      // references: value class at the top of a cell formula, column field flags
      {"=A1", "44 00 00 00 C0"},
      {"=$B$3", "44 02 00 01 00"},
      {"=B$3", "44 02 00 01 40"},
      {"=$B3", "44 02 00 01 80"},
      {"=IV1", "44 00 00 FF C0"},
      {"=A65536", "44 FF FF 00 C0"},
      {"=A:A", "45 00 00 FF FF 00 C0 00 C0"},
      {"=$A:$C", "45 00 00 FF FF 00 80 02 80"},
      {"=1:3", "45 00 00 02 00 00 C0 FF C0"},
      {"=IW1", "Unexpected Identifier: \"IW1\" on formula \"=IW1\""},
      {"=A65537", "Unexpected Identifier: \"A65537\" on formula \"=A65537\""},
      {"=A0", "Unexpected Identifier: \"A0\" on formula \"=A0\""},
      // 3-D references: the index comes from the workbook's reference table
      {"=Sheet2!A1", "5A 01 00 00 00 00 C0"},
      {"=Sheet1!A1", "5A 00 00 00 00 00 C0"},
      {"='My Sheet'!B2", "5A 01 00 01 00 01 C0"},
      {"=SUM(Sheet1:Sheet3!A1:B2)", "3B 01 00 00 00 01 00 00 C0 01 C0 42 01 04 00"},
      {"=Nosheet!A1", "Invalid sheet: NOSHEET"},
      {"='No sheet'!A1", "Invalid sheet: No sheet"},
      {"=Sheet1:Nosheet!A1", "Invalid sheet: NOSHEET"},
      {"=Sheet1!foo", "External names are not supported: FOO"},
      {"=Sheet1!A", "Unexpected Identifier: \"A\" on formula \"=Sheet1!A\""},
      {"=Sheet1!", "Unexpected end of formula: \"=Sheet1!\""},
      {"='Sheet1'A1", "Unexpected char \"A\" at pos 10 on formula: \"='Sheet1'A1\""},
      {"='Sheet1", "Unterminated string on formula: \"='Sheet1\""},
      // constants
      {"=-1", "1E 01 00 13"},
      {"=1.5", "1F 00 00 00 00 00 00 F8 3F"},
      {"=65535", "1E FF FF"},
      {"=65536", "1F 00 00 00 00 00 00 F0 40"},
      {"=2.5E-1", "1F 00 00 00 00 00 00 D0 3F"},
      {"=1.0", "1E 01 00"},
      {"=1.2.3", "\"1.2.3\" is not a valid number"},
      {"=1E", "\"1E\" is not a valid number"},
      {"=#n/a", "1C 2A"},
      {"=#DIV/0!", "1C 07"},
      {"=#BADNESS", "Unexpected Identifier: \"#BADNESS\" on formula \"=#BADNESS\""},
      {"=#N", "Unexpected end of formula: \"=#N\""},
      {"=\"a\"\"b\"", "17 03 00 61 22 62"},
      {"=\"\"", "17 00 00"},
      {"=\"\xE2\x82\xAC\"", "17 01 01 AC 20"},
      {"=\"abc", "Unterminated string on formula: \"=\"abc\""},
      {"=\"" + std::string(256, 'x') + "\"", "Invalid String record"},
      {"=TRUE", "1D 01"},
      {"=false", "1D 00"},
      {"=TRUE()", "41 22 00"},
      {"={1,2}", "Writing array formulas is not yet supported"},
      // functions
      {"=SUM(A1:B2)*2", "25 00 00 01 00 00 C0 01 C0 42 01 04 00 1E 02 00 05"},
      {"=PI()", "41 13 00"},
      {"=IF(A1,,2)", "44 00 00 00 C0 16 1E 02 00 42 03 01 00"},
      {"=IF(,1)", "16 1E 01 00 42 02 01 00"},
      {"=sum(a1)", "24 00 00 00 C0 42 01 04 00"},
      {"=TRANSPOSE(A1:B2)", "65 00 00 01 00 00 C0 01 C0 61 53 00"},
      {"=INDEX(A1:B2,1,A1)", "25 00 00 01 00 00 C0 01 C0 1E 01 00 44 00 00 00 C0 42 03 1D 00"},
      {"=ERROR.TYPE(#N/A)", "1C 2A 41 05 01"},
      {SumOf(30), std::string("1E 01 00 ") +
                      [] {
                        std::string tail;
                        for (int i = 1; i < 30; ++i) tail += "1E 01 00 ";
                        return tail;
                      }() +
                      "42 1E 04 00"},
      {SumOf(31), "Invalid number of parameters to function \"SUM\": Expected 0 and found 31"},
      {"=PI(1)", "Invalid number of parameters to function \"PI\": Expected 0 and found 1"},
      {"=IF(1)", "Invalid number of parameters to function \"IF\": Expected 2 and found 1"},
      {"=SUM (A1)", "Unexpected Identifier: \"SUM\" on formula \"=SUM (A1)\""},
      {"=FOO(1)", "Function not found: \"FOO\" on formula \"=FOO(1)\""},
      {"=NotAFunction53()",
       "Function not found: \"NOTAFUNCTION53\" on formula \"=NotAFunction53()\""},
      {"=SUM(", "Missing closing parentheses on formula: \"=SUM(\""},
      {"=SUM(1", "Unexpected end of formula: \"=SUM(1\""},
      {"=SUM(1,", "Unexpected end of formula: \"=SUM(1,\""},
      {"=SUM(A1 B1)", "Unexpected char \" \" at pos 8 on formula: \"=SUM(A1 B1)\""},
      // operators, precedence and classes
      {"=1+2*3", "1E 01 00 1E 02 00 1E 03 00 05 03"},
      {"=2^3^2", "1E 02 00 1E 03 00 07 1E 02 00 07"},
      {"=A1<>B1", "44 00 00 00 C0 44 00 00 01 C0 0E"},
      {"=1<=2", "1E 01 00 1E 02 00 0A"},
      {"=1>=2", "1E 01 00 1E 02 00 0C"},
      {"=1<2", "1E 01 00 1E 02 00 09"},
      {"=\"a\"&\"b\"", "17 01 00 61 17 01 00 62 08"},
      {"=-A1%", "44 00 00 00 C0 13 14"},
      {"=-+A1", "44 00 00 00 C0 12 13"},
      {"=(A1)", "44 00 00 00 C0 15"},
      {"=(A1,B1)", "24 00 00 00 C0 24 00 00 01 C0 10 15"},
      {"=SUM((A1,B1),C1)", "24 00 00 00 C0 24 00 00 01 C0 10 15 24 00 00 02 C0 42 02 04 00"},
      {"=A1:B1:C1", "25 00 00 00 00 00 C0 01 C0 24 00 00 02 C0 11"},
      {"=A1:C", "Unexpected Identifier: \"C\" on formula \"=A1:C\""},
      // spaces
      {"= A1", "19 40 00 01 44 00 00 00 C0"},
      {"=1 + 2", "1E 01 00 19 40 00 01 1E 02 00 19 40 00 01 03"},
      {"=( 1 )", "19 40 00 01 1E 01 00 19 40 04 01 15"},
      {"= (1)", "1E 01 00 19 40 02 01 15"},
      {"=SUM( A1 )", "19 40 00 01 24 00 00 00 C0 19 40 04 01 42 01 04 00"},
      {"=SUM(A1 , B1)", "24 00 00 00 C0 19 40 00 01 24 00 00 01 C0 42 02 04 00"},
      {"=- +A1", "44 00 00 00 C0 19 40 00 01 12 13"},
      {"=A1 %", "44 00 00 00 C0 19 40 00 01 14"},
      {"=A1 :B2", "24 00 00 00 C0 24 01 00 01 C0 19 40 00 01 11"},
      {"=" + std::string(300, ' ') + "1", "19 40 00 FF 1E 01 00"},
      {"=A1 ", "Unexpected char \" \" at pos 4 on formula: \"=A1 \""},
      {"=A1 B1", "Unexpected char \" \" at pos 4 on formula: \"=A1 B1\""},
      // malformed
      {"A1", "Formula must start with \"=\": \"A1\""},
      {" =A1", "Formula must start with \"=\": \" =A1\""},
      {"=", "Unexpected end of formula: \"=\""},
      {"=1+", "Unexpected end of formula: \"=1+\""},
      {"=(1", "Missing closing parentheses on formula: \"=(1\""},
      {"=(1 2)", "Missing closing parentheses on formula: \"=(1 2)\""},
      {"=)", "Unexpected char \")\" at pos 2 on formula: \"=)\""},
      {"=*2", "Unexpected char \"*\" at pos 2 on formula: \"=*2\""},
      {"=\xE4\xB8\xAD", "Unexpected char \"\xE4\xB8\xAD\" at pos 2 on formula: \"=\xE4\xB8\xAD\""},
      {"=\xF0\x9F\x98\x80",
       "Unexpected char \"\xF0\x9F\x98\x80\" at pos 2 on formula: \"=\xF0\x9F\x98\x80\""},
      {"=foo", "Unexpected Identifier: \"FOO\" on formula \"=foo\""},
  };
  for (const TCase& c : cases) {
    TFormulaTestWorkbook workbook = Workbook();
    EXPECT_EQ(EncodeOrMessage(c.Text, workbook), c.Expected) << c.Text;
  }
}

TEST(FormulaParser, ConsumesAtMost1023Characters) {
  TFormulaTestWorkbook workbook = Workbook();
  const std::string longest = "=" + std::string(1021, ' ') + "1";
  EXPECT_EQ(EncodeOrMessage(longest, workbook), "19 40 00 FF 1E 01 00");
  const std::string tooLong = "=" + std::string(1022, ' ') + "1";
  EXPECT_EQ(EncodeOrMessage(tooLong, workbook), "Formula too long: \"" + tooLong + "\"");
  // Nesting is bounded by the same limit.
  const std::string deepest = "=" + std::string(510, '(') + "1" + std::string(510, ')');
  EXPECT_EQ(formula_tests::EncodeTokens(deepest, workbook).size(), 3u + 510u);
  const std::string deeper = "=" + std::string(1100, '(') + "1" + std::string(1100, ')');
  EXPECT_EQ(EncodeOrMessage(deeper, workbook), "Formula too long: \"" + deeper + "\"");
}

TEST(FormulaParser, AddsSheetReferencesOnlyForFormulasThatEncode) {
  TFormulaTestWorkbook workbook = Workbook();
  EXPECT_EQ(EncodeOrMessage("=Sheet2!A1+", workbook), "Unexpected end of formula: \"=Sheet2!A1+\"");
  EXPECT_EQ(workbook.Entries.size(), 1u);
  EXPECT_EQ(EncodeOrMessage("=Sheet3!A1+Sheet3!B1+Sheet2!C1", workbook),
            "5A 01 00 00 00 00 C0 5A 01 00 00 00 01 C0 03 5A 02 00 00 00 02 C0 03");
  ASSERT_EQ(workbook.Entries.size(), 3u);
  EXPECT_EQ(workbook.Entries[1].FirstSheet, 2);
  EXPECT_EQ(workbook.Entries[2].FirstSheet, 1);
}

TEST(FormulaParser, ForcedThreeDReferencesAreAbsoluteAndKeepReferenceClass) {
  struct TForced {
    std::string Text;
    std::string Tokens;
  };
  const TForced cases[] = {
      // the print titles of a sheet with one repeated row
      {"=$A$1:$IV$1", "3B 00 00 00 00 00 00 00 00 FF 00"},
      {"=A1", "3A 00 00 00 00 00 00"},
      {"=Sheet2!A1", "3A 01 00 00 00 00 C0"},
  };
  for (const TForced& c : cases) {
    TFormulaTestWorkbook workbook = Workbook();
    TParseString parser(base::Utf8ToUtf16(c.Text), workbook, true, u"Sheet1", TFmReturnType::fmRef);
    parser.Parse();
    EXPECT_EQ(base::ToHex(parser.ParsedData()), c.Tokens) << c.Text;
  }
  TFormulaTestWorkbook workbook = Workbook();
  TParseString unknown(u"=A1", workbook, true, u"Gone", TFmReturnType::fmRef);
  EXPECT_THROW(
      {
        try {
          unknown.Parse();
        } catch (const base::Exception& e) {
          EXPECT_STREQ(e.what(), "Invalid sheet: Gone");
          throw;
        }
      },
      base::Exception);
}

TEST(FormulaParser, CopiesTokensWithAndWithoutTheirCount) {
  TFormulaTestWorkbook workbook = Workbook();
  TParseString parser(u"=PI()", workbook, TFmReturnType::fmValue);
  parser.Parse();
  EXPECT_EQ(parser.TotalSize(), 5u);
  std::vector<std::uint8_t> record(22 + 3, 0xEE);
  parser.CopyToPtr(record, 20);
  EXPECT_EQ(base::ToHex(std::span(record).subspan(18)), "EE EE 03 00 41 13 00");
  std::vector<std::uint8_t> name(4, 0xEE);
  parser.CopyToPtrNoLen(name, 1);
  EXPECT_EQ(base::ToHex(name), "EE 41 13 00");
  EXPECT_THROW(parser.CopyToPtr(name, 1), base::Exception);
}

// A workbook whose reference table answers with an index it does not hold.
class TBrokenReferences : public TFormulaTestWorkbook {
public:
  int AddExternSheet(int, int) override { return 7; }
};

TEST(FormulaParser, ReportsTokensTheDecoderRejects) {
  TBrokenReferences workbook;
  EXPECT_EQ(EncodeOrMessage("=Sheet1!A1", workbook), "Formula can't be evaluated: \"=Sheet1!A1\"");
}

}  // namespace
