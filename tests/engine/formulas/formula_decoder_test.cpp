// Tokens to formula text: spaces, references and sheet prefixes, constants, functions, the
// tokens only loaded files hold, and the decoder's errors.
#include <gtest/gtest.h>

#include "engine/formulas/formula_decoder.h"
#include "engine/formulas/formula_stacks.h"
#include "formula_test_helpers.h"

namespace {

using formula_tests::DecodeOrMessage;
using formula_tests::TFormulaTestWorkbook;

// Reference table: 0 Sheet1, 1 Sheet2, 2 Sheet1:Sheet2, 3 It's, 4 a deleted sheet, 5 another
// workbook, 6 a sheet beyond the workbook. Names: Total, MYFUNC. ARRAY and TABLE records at
// the master cells A1 (array), B2 (one-input table), C3 (two-input table) and D4 (an array
// formula pointing at another).
TFormulaTestWorkbook Workbook() {
  TFormulaTestWorkbook workbook;
  workbook.Sheets = {u"Sheet1", u"Sheet2", u"It's"};
  workbook.Entries = {
      {0, 0, {}, {}},
      {1, 1, {}, {}},
      {0, 1, {}, {}},
      {2, 2, {}, {}},
      {TFormulaTestWorkbook::kDeletedSheet, TFormulaTestWorkbook::kDeletedSheet, {}, {}},
      {0, 0, u"[Book.xls]Data", {u"EXTFN"}},
      {9, 9, {}, {}}};
  workbook.Names = {{u"Total", -1}, {u"MYFUNC", -1}};
  workbook.Arrays[{0, 0}] = base::ParseHex(
      "00 00 01 00 00 01 00 00 00 00 00 00  0D 00  25 00 00 01 00 00 C0 01 C0 42 01 04 00");
  workbook.Arrays[{3, 3}] =
      base::ParseHex("00 00 00 00 00 00 00 00 00 00 00 00  05 00  01 00 00 00 00");
  workbook.Tables[{1, 1}] = base::ParseHex("01 00 02 00 01 02  00 00  00 00 00 00 00 00 00 00");
  workbook.Tables[{2, 2}] = base::ParseHex("02 00 04 00 02 04  08 00  00 00 00 00 01 00 02 00");
  return workbook;
}

struct TCase {
  std::string Tokens;
  std::string Expected;  // text, or the message
  std::string Extra = "";
};

TEST(FormulaDecoder, DecodesTokensOrRaisesTheMessage) {
  const TCase cases[] = {
      // spaces: before an operand, around parentheses, before a call's ")" (not written back),
      // carriage returns
      {"19 40 00 01 44 00 00 00 C0", "= A1"},
      {"19 40 00 01 44 00 00 00 C0 19 40 04 01 15", "=( A1 )"},
      {"1E 01 00 19 40 02 02 15", "=  (1)"},
      {"19 40 00 01 24 00 00 00 C0 19 40 04 01 42 01 04 00", "=SUM( A1)"},
      {"19 40 01 02 44 00 00 00 C0", "=\r\rA1"},
      {"44 00 00 00 C0 19 40 05 01 19 40 03 01 15", "=\r(A1\r)"},
      {"1E 01 00 19 40 00 01 1E 02 00 19 40 00 02 03", "=1  + 2"},
      // references and areas, sheet prefixes always quoted
      {"44 02 00 01 00", "=$B$3"},
      {"25 00 00 FF FF 00 C0 00 C0", "=A:A"},
      {"25 00 00 FF FF 00 80 02 80", "=$A:$C"},
      {"25 00 00 00 00 00 C0 FF C0", "=A1:IV1"},
      {"2C 01 00 FF C0", "=IV2"},
      {"3A 01 00 00 00 00 C0", "='Sheet2'!A1"},
      {"3B 02 00 00 00 01 00 00 C0 01 C0", "='Sheet1:Sheet2'!A1:B2"},
      {"3B 00 00 00 00 FF FF 00 C0 00 C0", "='Sheet1'!A1:A65536"},
      {"3A 03 00 00 00 00 C0", "='It''s'!A1"},
      {"3A 05 00 00 00 00 C0", "='[Book.xls]Data'!A1"},
      {"3A 04 00 00 00 00 C0", "=#REF!"},
      {"3B 06 00 00 00 01 00 00 C0 01 C0", "=#REF!"},
      {"3A 07 00 00 00 00 C0",
       "The index \"7\" of the property \"Sheet Reference\" is not in the range 0-7"},
      {"2A 00 00 00 00 2B 00 00 00 00 00 00 00 00 11", "=#REF!:#REF!"},
      {"3C 00 00 00 00 00 00 3D 00 00 00 00 00 00 00 00 00 00 10", "=#REF!,#REF!"},
      // class variants fold to the same text
      {"64 00 00 00 C0 45 00 00 01 00 00 C0 01 C0 0F", "=A1 A1:B2"},
      {"6A 00 00 00 00", "=#REF!"},
      // constants
      {"17 03 00 61 22 62", "=\"a\"\"b\""},
      {"17 01 01 AC 20", "=\"\xE2\x82\xAC\""},
      {"1F 00 00 00 00 00 00 F8 3F", "=1.5"},
      {"1F 00 00 00 00 00 00 F0 40", "=65536"},
      {"1E FF FF", "=65535"},
      {"1C 2A 1C 00 1C 99 08 08", "=#N/A&#NULL!&#TABRIX_UNKNOWN"},
      {"1D 01 1D 00 1D 02 0B 0B", "=TRUE=FALSE=FALSE"},
      {"1E 02 00 12 13 14", "=-+2%"},
      // functions
      {"44 00 00 00 C0 16 1E 02 00 42 03 01 00", "=IF(A1,,2)"},
      {"41 13 00", "=PI()"},
      {"41 35 00", "=NotAFunction53()"},
      {"1E 01 00 19 04 02 00 08 00 0D 00 12 00 24 00 00 00 C0 19 08 09 00 24 00 00 01 C0 19 08 03 "
       "00 "
       "42 03 64 00",
       "=CHOOSE(1,A1,B1)"},
      {"25 00 00 01 00 00 C0 01 C0 19 10 00 00", "=SUM(A1:B2)"},
      {"19 01 00 00 41 3F 00", "=RAND()"},
      {"39 04 00 02 00 00 00 1E 01 00 42 02 FF 00", "=MYFUNC(1)"},
      {"41 70 01", "The index \"368\" of the property \"Function name\" is not in the range 0-367"},
      {"42 01 FF 7F",
       "The index \"32767\" of the property \"Function name\" is not in the range 0-367"},
      // names
      {"23 01 00 00 00", "=Total"},
      {"39 04 00 01 00 00 00", "=Total"},
      {"39 05 00 01 00 00 00", "='[Book.xls]Data'!EXTFN"},
      // array constants, array formulas and tables
      {"20 00 00 00 00 00 00 00", "={1,\"a\";TRUE,#N/A}",
       "01 01 00  01 00 00 00 00 00 00 F0 3F  02 01 00 00 61  04 01 00 00 00 00 00 00 00  "
       "10 2A 00 00 00 00 00 00 00"},
      {"20 00 00 00 00 00 00 00", "Error reading formula, Token Id: 0x03 is not supported",
       "00 00 00 03"},
      {"01 00 00 00 00", "={=SUM(A1:B2)}"},
      {"02 01 00 01 00", "={=TABLE($A$1)}"},
      {"02 02 00 02 00", "={=TABLE($A$1,$C$2)}"},
      {"01 03 00 03 00", "Error reading formula, Token Id: 0x01 is not supported"},
      {"01 05 00 05 00", "Error reading formula, Token Id: 0x01 is not supported"},
      {"02 05 00 05 00", "Error reading formula, Token Id: 0x02 is not supported"},
      // tokens that write nothing
      {"1A 1B 1E 01 00", "=1"},
      {"26 00 00 00 00 09 00 25 00 00 01 00 00 C0 01 C0", "=A1:B2",
       "01 00 00 00 01 00 00 00 01 00"},
      {"27 00 00 00 00 00 00 28 00 00 00 00 00 00 29 05 00 1E 01 00", "=1"},
      // malformed tokens
      {"18 00", "Error reading formula, Token Id: 0x18 is not supported"},
      {"1E 01 00 00", "Error reading formula, Token Id: 0x00 is not supported"},
      {"", "String Stack is empty"},
      {"1E 01 00 03", "String Stack is empty"},
      {"24 00 00 00 C0 42 03 04 00", "String Stack is empty"},
      {"44 00", "Error reading Excel records. File invalid"},
      {"17 05 00 61", "Error reading Excel records. File invalid"},
      {"26 00 00 00 00 00 00 1E 01 00", "Error reading Excel records. File invalid", "05 00"},
  };
  const TFormulaTestWorkbook workbook = Workbook();
  for (const TCase& c : cases)
    EXPECT_EQ(DecodeOrMessage(c.Tokens, workbook, c.Extra), c.Expected) << c.Tokens;
}

TEST(FormulaDecoder, UnknownTokensCarryTheirId) {
  const TFormulaTestWorkbook workbook = Workbook();
  try {
    formula_tests::DecodeHex("1E 01 00 98", workbook);
    FAIL() << "decoded";
  } catch (const base::ETokenException& e) {
    EXPECT_EQ(e.TokenId(), 0x98);
  }
}

TEST(FormulaDecoder, ReadsTheTokenLengthAndStopsAtIt) {
  const TFormulaTestWorkbook workbook = Workbook();
  // FORMULA data: 20 bytes, then the count, the tokens and bytes that are not tokens.
  std::vector<std::uint8_t> data(20, 0);
  for (std::uint8_t b : base::ParseHex("03 00 1E 07 00 FF FF")) data.push_back(b);
  EXPECT_EQ(engine::formulas::DecodeFormula(data, 22, workbook), u"=7");
  data[20] = 9;
  EXPECT_THROW(engine::formulas::DecodeFormula(data, 22, workbook), base::Exception);
}

TEST(FormulaDecoder, PrintsNumbersWithFifteenDigitsAndColumnsAsLetters) {
  using engine::formulas::NumberText;
  EXPECT_EQ(NumberText(1e20), u"1E+20");
  EXPECT_EQ(NumberText(1e15), u"1E+15");
  EXPECT_EQ(NumberText(999999999999999.0), u"999999999999999");
  EXPECT_EQ(NumberText(0.0001), u"0.0001");
  EXPECT_EQ(NumberText(0.00001), u"1E-05");
  EXPECT_EQ(NumberText(0.1 + 0.2), u"0.3");
  EXPECT_EQ(NumberText(123456789012345678.0), u"1.23456789012346E+17");
  EXPECT_EQ(NumberText(-2.5), u"-2.5");
  using engine::formulas::ColumnLetters;
  EXPECT_EQ(ColumnLetters(0), u"A");
  EXPECT_EQ(ColumnLetters(25), u"Z");
  EXPECT_EQ(ColumnLetters(26), u"AA");
  EXPECT_EQ(ColumnLetters(255), u"IV");
}

TEST(FormulaStacks, RaiseWhenEmptyAndPushConsumesPendingSpaces) {
  engine::formulas::TWhiteSpaceStack spaces;
  spaces.Push({3, 0});
  EXPECT_EQ(spaces.Pop().Count, 3);
  EXPECT_THROW(
      {
        try {
          spaces.Peek();
        } catch (const base::Exception& e) {
          EXPECT_STREQ(e.what(), "WhiteSpace Stack is empty");
          throw;
        }
      },
      base::Exception);
  engine::formulas::TFormulaStack texts;
  texts.FmSpaces = u" ";
  texts.FmPreSpaces = u"  ";
  texts.FmPostSpaces = u"   ";
  texts.Push(u"A1");
  EXPECT_TRUE(texts.FmSpaces.empty() && texts.FmPreSpaces.empty() && texts.FmPostSpaces.empty());
  EXPECT_EQ(texts.Pop(), u"A1");
  EXPECT_THROW(texts.Pop(), base::Exception);
}

}  // namespace
