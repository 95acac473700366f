// Text -> tokens -> text -> tokens over a corpus: every function of the table with a valid
// argument count, and hand-written formulas with every operator, nesting, spaces in every
// position the decoder writes back, 3-D references, sheet ranges and whole rows and columns.
// Each text is written as the decoder prints it, so decoding gives it back unchanged.
#include <gtest/gtest.h>

#include "engine/formulas/function_table.h"
#include "formula_test_helpers.h"

namespace {

using engine::formulas::TCellFunctionData;
using formula_tests::TFormulaTestWorkbook;

// An operand of the class the argument takes.
std::string Argument(const TCellFunctionData& AFunction, int APosition) {
  switch (AFunction.ParamClass(APosition)) {
    case engine::formulas::TFmReturnType::fmValue:
      return APosition % 2 == 0 ? "A1" : "2.5";
    case engine::formulas::TFmReturnType::fmArray:
      return "B2:C3";
    case engine::formulas::TFmReturnType::fmRef:
      break;
  }
  return APosition % 2 == 0 ? "A1:B2" : "$D$4";
}

std::vector<std::string> FunctionCorpus() {
  std::vector<std::string> corpus;
  for (const TCellFunctionData& function : engine::formulas::FunctionTable()) {
    if (function.ParamType.empty()) continue;  // the numbers without a function
    std::string name = base::Utf16ToUtf8(function.Name);
    // The least count, and the most where it differs (capped to keep the texts short).
    for (int count : {function.MinArgCount, std::min(function.MaxArgCount, 3)}) {
      if (count < function.MinArgCount) continue;
      std::string text = "=" + name + "(";
      for (int i = 0; i < count; ++i) text += (i > 0 ? "," : "") + Argument(function, i);
      corpus.push_back(text + ")");
      if (function.MinArgCount == std::min(function.MaxArgCount, 3)) break;
    }
  }
  return corpus;
}

const char* const kHandWritten[] = {
    // every operator
    "=1+2",
    "=1-2",
    "=1*2",
    "=1/2",
    "=1^2",
    "=\"a\"&\"b\"",
    "=1<2",
    "=1<=2",
    "=1=2",
    "=1>=2",
    "=1>2",
    "=1<>2",
    "=(A1,B2)",
    "=A1:B2:C3",
    "=+A1",
    "=-A1",
    "=A1%",
    "=A1%%",
    "=--A1",
    "=-+-A1",
    "=1+2*3-4/5^6",
    "=(1+2)*3",
    "=1-(2-3)",
    "=2^-1",
    "=-2^2",
    "=A1&B1&C1",
    "=1+2=3",
    "=A1<B1+1",
    // nesting
    "=((1))",
    "=(((A1+B1)*(C1-D1))/2)",
    "=SUM(A1,(B1,C1))",
    "=IF(A1>0,SUM(B1:B5),-1)",
    "=IF(AND(A1,NOT(B1)),MAX(C1:C9,MIN(D1,2)),ROUND(E1*100,2))",
    "=SUM(SUM(SUM(A1)))",
    "=INDEX(A1:C3,MATCH(\"x\",A1:A3,0),2)",
    "=VLOOKUP(A1,'Sheet2'!A1:B9,2,FALSE)",
    // spaces in every position the decoder keeps
    "= A1",
    "=  1 + 2",
    "=1 +2",
    "=1+ 2",
    "= -A1",
    "=- A1",
    "=A1 %",
    "=( A1)",
    "=(A1 )",
    "= (A1)",
    "=  (  A1  )  +1",
    "=SUM( A1)",
    "=SUM(A1, B1)",
    "=A1 :B2",
    "=A1: B2",
    "=SUM((A1 ,B1))",
    "=IF( A1,,2)",
    "=\"a\" &\"b\"",
    "=1 <> 2",
    "=1 ^ 2",
    "=(A1) %",
    // constants
    "=0",
    "=65535",
    "=65536",
    "=1.5",
    "=0.001",
    "=123456789",
    "=1E+20",
    "=1E-05",
    "=3.14159265358979",
    "=TRUE",
    "=FALSE",
    "=TRUE()",
    "=\"\"",
    "=\"text\"",
    "=\"say \"\"hi\"\"\"",
    "=\"\xC3\xA9t\xC3\xA9\"",
    "=\"\xE2\x82\xAC 5\"",
    "=#NULL!",
    "=#DIV/0!",
    "=#VALUE!",
    "=#REF!",
    "=#NAME?",
    "=#NUM!",
    "=#N/A",
    "=IF(#N/A,1,#DIV/0!)",
    // references, whole rows and columns
    "=A1",
    "=$A$1",
    "=A$1",
    "=$A1",
    "=IV65536",
    "=A1:B2",
    "=$A$1:$B$2",
    "=A:A",
    "=$A:$C",
    "=B:IV",
    "=A1:IV1",
    "=A$1:IV$3",
    "=SUM(A:A)",
    "=SUM(A1:IV1)",
    "=B2:A1",
    // 3-D references and sheet ranges
    "='Sheet2'!A1",
    "='Sheet2'!$B$3",
    "='Sheet2'!A1:B2",
    "='Sheet2'!A1:A65536",
    "='My Sheet'!C3",
    "='It''s'!A1",
    "='Sheet1:Sheet3'!A1",
    "=SUM('Sheet1:Sheet3'!A1:B2)",
    "='Sheet3:Sheet1'!A1",
    "='Sheet1'!A1+'Sheet2'!A1",
    "='Sheet1'!A1:'Sheet2'!B2",
    "=SUM('Sheet2'!A1,'My Sheet'!B2:C3)",
};

TEST(FormulaRoundTrip, DecodedTokensGiveBackTheTextAndTheTokens) {
  TFormulaTestWorkbook workbook;
  workbook.Sheets.push_back(u"My Sheet");
  workbook.Sheets.push_back(u"It's");
  std::vector<std::string> corpus = FunctionCorpus();
  corpus.insert(corpus.end(), std::begin(kHandWritten), std::end(kHandWritten));
  for (const std::string& text : corpus) {
    std::vector<std::uint8_t> tokens;
    try {
      tokens = formula_tests::EncodeTokens(text, workbook);
    } catch (const base::Exception& e) {
      ADD_FAILURE() << text << ": " << e.what();
      continue;
    }
    const std::string decoded = formula_tests::Decode(tokens, workbook);
    EXPECT_EQ(decoded, text);
    EXPECT_EQ(base::ToHex(formula_tests::EncodeTokens(decoded, workbook)), base::ToHex(tokens))
        << text;
  }
}

}  // namespace
