// Formula encoding, decoding and reference shifting of a typical cell formula.
#include <benchmark/benchmark.h>

#include <vector>

#include "engine/formulas/formula_decoder.h"
#include "engine/formulas/formula_parser.h"
#include "engine/formulas/token_walker.h"

namespace {

using namespace engine::formulas;

// Two sheets; every 3-D reference gets the sheet's own entry.
class TBenchWorkbook : public IFormulaContext {
public:
  int FindSheet(std::u16string_view AName) const override {
    return AName == u"SHEET1" ? 0 : AName == u"SHEET2" ? 1 : -1;
  }
  int AddExternSheet(int AFirstSheet, int) override { return AFirstSheet; }
  std::u16string GetSheetName(int ASheetRef) const override {
    return ASheetRef == 0 ? u"Sheet1" : u"Sheet2";
  }
  std::u16string GetName(int) const override { return {}; }
  std::u16string GetExternName(int, int) const override { return {}; }
  std::span<const std::uint8_t> GetArrayRecord(int, int) const override { return {}; }
  std::span<const std::uint8_t> GetTableRecord(int, int) const override { return {}; }
};

const std::u16string kFormula =
    u"=IF(Sheet2!C3>0, ROUND(SUM(A1:B20)*1.5/D4, 2), \"none\") & TEXT(NOW(), \"yyyy\")";

std::vector<std::uint8_t> CountedTokens(TBenchWorkbook& AWorkbook) {
  TParseString parser(kFormula, AWorkbook, TFmReturnType::fmValue);
  parser.Parse();
  std::vector<std::uint8_t> counted(parser.TotalSize());
  parser.CopyToPtr(counted, 0);
  return counted;
}

void BM_ParseFormula(benchmark::State& AState) {
  TBenchWorkbook workbook;
  for (auto _ : AState) {
    TParseString parser(kFormula, workbook, TFmReturnType::fmValue);
    parser.Parse();
    benchmark::DoNotOptimize(parser.TotalSize());
  }
  AState.SetItemsProcessed(AState.iterations());
}
BENCHMARK(BM_ParseFormula);

void BM_DecodeFormula(benchmark::State& AState) {
  TBenchWorkbook workbook;
  const std::vector<std::uint8_t> counted = CountedTokens(workbook);
  for (auto _ : AState) benchmark::DoNotOptimize(DecodeFormula(counted, 2, workbook));
  AState.SetItemsProcessed(AState.iterations());
}
BENCHMARK(BM_DecodeFormula);

void BM_InsertRows(benchmark::State& AState) {
  TBenchWorkbook workbook;
  std::vector<std::uint8_t> counted = CountedTokens(workbook);
  std::span<std::uint8_t> tokens = std::span(counted).subspan(2);
  for (auto _ : AState) {
    ArrangeInsertRowsAndCols(tokens, 4, 1, 0, 0, TTokenSheets{0, 0, nullptr, nullptr});
    ArrangeInsertRowsAndCols(tokens, 4, -1, 0, 0, TTokenSheets{0, 0, nullptr, nullptr});
    benchmark::ClobberMemory();
  }
  AState.SetItemsProcessed(2 * AState.iterations());
}
BENCHMARK(BM_InsertRows);

}  // namespace
