// Reference shifting over stored tokens: insertion and deletion of rows and columns, copies,
// sheet copies with names, shared-formula expansion and the tokens a walk cannot handle.
#include <gtest/gtest.h>

#include "engine/formulas/token_walker.h"
#include "formula_test_helpers.h"

namespace {

using engine::formulas::ArrangeCopyRowsAndCols;
using engine::formulas::ArrangeCopySheet;
using engine::formulas::ArrangeInsertRowsAndCols;
using engine::formulas::TTokenSheets;
using formula_tests::TFormulaTestWorkbook;

struct TInsertCase {
  std::string Formula;
  int RowPos, RowCount, ColPos, ColCount;  // 0-based positions; negative counts delete
  std::string Expected;
};

TEST(TokenWalker, InsertingAndDeletingRowsAndColumnsOfTheFormulasSheet) {
  const TInsertCase cases[] = {
      // 2 rows inserted before row 5
      {"=A5", 4, 2, 0, 0, "=A7"},
      {"=$A$5", 4, 2, 0, 0, "=$A$7"},
      {"=A4", 4, 2, 0, 0, "=A4"},
      {"=SUM(A1:A10)", 4, 2, 0, 0, "=SUM(A1:A12)"},
      {"=SUM(A:A)", 4, 2, 0, 0, "=SUM(A:A)"},
      {"=SUM(A5:B6)", 4, 2, 0, 0, "=SUM(A7:B8)"},
      // rows 5 and 6 deleted
      {"=A5", 4, -2, 0, 0, "=#REF!"},
      {"=A6", 4, -2, 0, 0, "=#REF!"},
      {"=A8", 4, -2, 0, 0, "=A6"},
      {"=A4", 4, -2, 0, 0, "=A4"},
      {"=SUM(A1:A10)", 4, -2, 0, 0, "=SUM(A1:A8)"},
      {"=SUM(A5:A6)", 4, -2, 0, 0, "=SUM(#REF!)"},
      {"=SUM(A6:A10)", 4, -2, 0, 0, "=SUM(A5:A8)"},
      {"=SUM(A1:A5)", 4, -2, 0, 0, "=SUM(A1:A4)"},
      {"=SUM(A:A)", 4, -2, 0, 0, "=SUM(A:A)"},
      {"=SUM(A5:A65536)", 4, -2, 0, 0, "=SUM(A5:A65536)"},
      // columns B and C deleted, one inserted before B
      {"=SUM(D1:E5)", 0, 0, 1, -2, "=SUM(B1:C5)"},
      {"=D1", 0, 0, 1, -2, "=B1"},
      {"=B1+C1", 0, 0, 1, -2, "=#REF!+#REF!"},
      {"=SUM(A1:IV1)", 0, 0, 1, -2, "=SUM(A1:IV1)"},
      {"=SUM(A1:IV1)", 0, 0, 1, 1, "=SUM(A1:IV1)"},
      {"=IV1+B1", 0, 0, 1, 1, "=#REF!+C1"},
      // one row inserted before row 1
      {"=A65536", 0, 1, 0, 0, "=#REF!"},
      {"=A1:B65535", 0, 1, 0, 0, "=A2:B65536"},
  };
  for (const TInsertCase& c : cases) {
    TFormulaTestWorkbook workbook;
    std::vector<std::uint8_t> tokens = formula_tests::EncodeTokens(c.Formula, workbook);
    ArrangeInsertRowsAndCols(tokens, c.RowPos, c.RowCount, c.ColPos, c.ColCount,
                             TTokenSheets{0, 0, &workbook, nullptr});
    EXPECT_EQ(formula_tests::Decode(tokens, workbook), c.Expected)
        << c.Formula << " rows " << c.RowPos << "/" << c.RowCount << " cols " << c.ColPos << "/"
        << c.ColCount;
  }
}

TEST(TokenWalker, ErrorFormsKeepTheirClassAndStayErrors) {
  TFormulaTestWorkbook workbook;
  std::vector<std::uint8_t> tokens =
      formula_tests::EncodeTokens("=A5+SUM(A5:A6)+'Sheet2'!A5", workbook);
  // The formula stands on Sheet2, whose rows 5 and 6 are deleted.
  const TTokenSheets sheets{1, 1, &workbook, nullptr};
  ArrangeInsertRowsAndCols(tokens, 4, -2, 0, 0, sheets);
  EXPECT_EQ(base::ToHex(tokens),
            "4A 04 00 00 C0 2B 04 00 05 00 00 C0 00 C0 42 01 04 00 03 5C 00 00 04 00 00 C0 03");
  // An error form still moves its fields, and never turns back.
  ArrangeInsertRowsAndCols(tokens, 0, 3, 0, 0, sheets);
  EXPECT_EQ(base::ToHex(std::span(tokens).subspan(0, 5)), "4A 07 00 00 C0");
}

TEST(TokenWalker, OtherSheetsMoveOnlyTheirThreeDReferences) {
  TFormulaTestWorkbook workbook;
  std::vector<std::uint8_t> tokens =
      formula_tests::EncodeTokens("=A5+'Sheet2'!A5+'Sheet1:Sheet2'!A5", workbook);
  // Rows inserted in Sheet2 (1) while the formula stands on Sheet1 (0): only the reference to
  // that sheet moves; a sheet range is left alone.
  ArrangeInsertRowsAndCols(tokens, 4, 2, 0, 0, TTokenSheets{1, 0, &workbook, nullptr});
  EXPECT_EQ(formula_tests::Decode(tokens, workbook), "=A5+'Sheet2'!A7+'Sheet1:Sheet2'!A5");
  // On Sheet2 itself both its own cells and the reference to it move.
  tokens = formula_tests::EncodeTokens("=A5+'Sheet2'!A5+'Sheet1'!A5", workbook);
  ArrangeInsertRowsAndCols(tokens, 4, 2, 0, 0, TTokenSheets{1, 1, &workbook, nullptr});
  EXPECT_EQ(formula_tests::Decode(tokens, workbook), "=A7+'Sheet2'!A7+'Sheet1'!A5");
}

TEST(TokenWalker, CopiesMoveRelativeParts) {
  struct TCopyCase {
    std::string Formula;
    int RowOffset, ColOffset;
    bool KeepAbsolute;
    std::string Expected;
  };
  const TCopyCase cases[] = {
      {"=A1+$B$1", 1, 0, true, "=A2+$B$1"},  {"=A1+$B$1", 0, 2, true, "=C1+$B$1"},
      {"=A$1+$A1", 3, 3, true, "=D$1+$A4"},  {"=SUM(A1:$B$2)", 1, 1, true, "=SUM(B2:$B$2)"},
      {"=A1+$B$1", 1, 1, false, "=B2+$C$2"}, {"=A65536", 1, 0, true, "=#REF!"},
      {"=B1", 0, -2, true, "=#REF!"},
  };
  for (const TCopyCase& c : cases) {
    TFormulaTestWorkbook workbook;
    std::vector<std::uint8_t> tokens = formula_tests::EncodeTokens(c.Formula, workbook);
    ArrangeCopyRowsAndCols(tokens, c.RowOffset, c.ColOffset, c.KeepAbsolute);
    EXPECT_EQ(formula_tests::Decode(tokens, workbook), c.Expected) << c.Formula;
  }
}

TEST(TokenWalker, SheetCopiesReferToTheCopyAndItsNames) {
  TFormulaTestWorkbook workbook;
  workbook.Sheets.push_back(u"Sheet1 (2)");
  // Names 1 and 2 belong to the source sheet and to the copy (3), 3 is global and the copy
  // has its own of that text too, 4 belongs to Sheet2.
  workbook.Names = {{u"Rate", 0}, {u"Rate", 3}, {u"Tax", -1}, {u"Other", 1}, {u"Tax", 3}};
  std::vector<std::uint8_t> tokens =
      formula_tests::EncodeTokens("='Sheet1'!A1+'Sheet2'!A1+A1", workbook);
  for (std::uint8_t b : base::ParseHex("23 01 00 00 00 03 23 03 00 00 00 03 23 04 00 00 00 03"))
    tokens.push_back(b);
  ArrangeCopySheet(tokens, TTokenSheets{3, 0, &workbook, &workbook});
  EXPECT_EQ(formula_tests::Decode(tokens, workbook),
            "='Sheet1 (2)'!A1+'Sheet2'!A1+A1+Rate+Tax+Other");
  EXPECT_EQ(base::ToHex(std::span(tokens).subspan(tokens.size() - 18)),
            "23 02 00 00 00 03 23 05 00 00 00 03 23 04 00 00 00 03");
}

TEST(TokenWalker, MasterCellsOfArrayFormulasMoveOrRefuse) {
  std::vector<std::uint8_t> tokens = base::ParseHex("01 04 00 02 00");
  TTokenSheets sheets{0, 0, nullptr, nullptr};
  ArrangeInsertRowsAndCols(tokens, 4, 2, 1, 1, sheets);
  EXPECT_EQ(base::ToHex(tokens), "01 06 00 03 00");
  // Rows of another sheet leave it alone.
  ArrangeInsertRowsAndCols(tokens, 0, 5, 0, 0, TTokenSheets{1, 0, nullptr, nullptr});
  EXPECT_EQ(base::ToHex(tokens), "01 06 00 03 00");
  try {
    ArrangeInsertRowsAndCols(tokens, 6, -1, 0, 0, sheets);
    FAIL() << "shifted";
  } catch (const base::ETokenException& e) {
    EXPECT_EQ(e.TokenId(), 0x01);
    EXPECT_STREQ(e.what(), "Error reading formula, Token Id: 0x01 is not supported");
  }
  EXPECT_EQ(base::ToHex(tokens), "01 06 00 03 00");
}

TEST(TokenWalker, UnsupportedTokensStopTheWalkAfterTheTokensBefore) {
  TFormulaTestWorkbook workbook;
  std::vector<std::uint8_t> tokens = base::ParseHex("44 04 00 00 C0 18 44 04 00 00 C0");
  try {
    ArrangeInsertRowsAndCols(tokens, 4, 2, 0, 0, TTokenSheets{0, 0, &workbook, nullptr});
    FAIL() << "shifted";
  } catch (const base::ETokenException& e) {
    EXPECT_EQ(e.TokenId(), 0x18);
    EXPECT_STREQ(e.what(), "Error reading formula, Token Id: 0x18 is not supported");
  }
  EXPECT_EQ(base::ToHex(tokens), "44 06 00 00 C0 18 44 04 00 00 C0");
  // Tokens cut short are a damaged record, not a token of another kind.
  std::vector<std::uint8_t> cut = base::ParseHex("1E 01 00 44 04 00");
  EXPECT_THROW(ArrangeCopyRowsAndCols(cut, 1, 0), base::Exception);
}

TEST(TokenWalker, WalksOverEveryTokenItKnows) {
  TFormulaTestWorkbook workbook;
  // string, error, bool, int, number, function, attr with a jump table, array, name, memfunc,
  // relative tokens of a shared formula: all stay as they are; the last reference moves.
  const std::string untouched =
      "17 02 01 41 00 42 00 1C 07 1D 01 1E 05 00 1F 00 00 00 00 00 00 F8 3F 41 13 00 "
      "42 02 04 00 19 04 01 00 04 00 08 00 20 00 00 00 00 00 00 00 23 01 00 00 00 "
      "39 00 00 01 00 00 00 29 02 00 2C 01 00 01 C0 2D 01 00 02 00 00 C0 00 C0 "
      "03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10 11 12 13 14 15 16 ";
  std::vector<std::uint8_t> tokens = base::ParseHex(untouched + "24 04 00 00 C0");
  ArrangeInsertRowsAndCols(tokens, 4, 1, 0, 0, TTokenSheets{0, 0, &workbook, nullptr});
  EXPECT_EQ(base::ToHex(tokens), base::ToHex(base::ParseHex(untouched + "24 05 00 00 C0")));
}

TEST(TokenWalker, SharedFormulasExpandIntoTheirCell) {
  // FORMULA data of the cell D6 (row 5, column 3) pointing at the shared formula of D2.
  std::vector<std::uint8_t> formula = base::ParseHex(
      "05 00 03 00 0F 00  00 00 00 00 00 00 00 00  02 00  00 00 00 00  05 00  01 01 00 03 00");
  ASSERT_TRUE(engine::formulas::IsExp(formula));
  EXPECT_EQ(engine::formulas::ExpKey(formula), (3u << 16) | 1u);
  // SHRFMLA D2:D9: ptgRefN one row down and one column left, an absolute ptgRef, ptgAdd, ptgAreaN.
  const std::vector<std::uint8_t> shared = base::ParseHex(
      "01 00 08 00 03 03 00 08  15 00  4C 01 00 FF C0 44 00 00 00 00 03 2D 00 00 FF FF 00 C0 01 C0 "
      "03");
  engine::formulas::MixShared(formula, shared);
  EXPECT_EQ(formula.size(), shared.size() + 12);
  EXPECT_EQ(base::ToHex(std::span(formula).subspan(20)),
            "15 00 44 06 00 02 C0 44 00 00 00 00 03 25 05 00 04 00 03 C0 04 C0 03");
  TFormulaTestWorkbook workbook;
  EXPECT_EQ(formula_tests::Decode({formula.begin() + 22, formula.end()}, workbook),
            "=C7+$A$1+D6:E5");

  std::vector<std::uint8_t> untouched = base::ParseHex(
      "05 00 03 00 0F 00  00 00 00 00 00 00 00 00  02 00  00 00 00 00  05 00  01 01 00 03 00");
  const std::vector<std::uint8_t> before = untouched;
  EXPECT_THROW(
      engine::formulas::MixShared(untouched, base::ParseHex("01 00 08 00 03 03 00 08  09 00  4C")),
      base::Exception);
  EXPECT_THROW(
      engine::formulas::MixShared(untouched, base::ParseHex("01 00 08 00 03 03 00 08  01 00  18")),
      base::ETokenException);
  EXPECT_EQ(untouched, before);
}

}  // namespace
