// Fuzz target: arbitrary bytes as a stored formula (16-bit token length, tokens, extra data).
// Invariants: decoding either gives a text or raises the engine's error, never crashes; every
// shift, copy and expansion of the tokens either succeeds or raises, and what it leaves still
// decodes or raises; a decoded text that encodes keeps the encoder's invariant.
#include <cstdint>
#include <vector>

#include "engine/formulas/token_walker.h"
#include "formula_fuzz.h"

namespace {

using engine::formulas::TTokenSheets;
using engine::formulas::TTokenShift;

void DecodeQuietly(const std::vector<std::uint8_t>& AData,
                   const formula_fuzz::TFormulaTestWorkbook& AWorkbook) {
  try {
    engine::formulas::DecodeFormula(AData, 2, AWorkbook);
  } catch (const base::Exception&) {
  }
}

// Each walk the workbook's operations make: insertion and deletion on the formula's sheet and
// on another, row copies, chart copies, a sheet copy with names and a shared-formula expansion.
void ShiftAll(const std::vector<std::uint8_t>& AData,
              formula_fuzz::TFormulaTestWorkbook& AWorkbook) {
  if (AData.size() < 2) return;
  const std::size_t length = AData[0] | (AData[1] << 8);
  if (length > AData.size() - 2) return;
  auto shift = [](int ARowPos, int ARowCount, int AColPos, int AColCount) {
    TTokenShift result;
    result.RowPos = ARowPos;
    result.RowCount = ARowCount;
    result.ColPos = AColPos;
    result.ColCount = AColCount;
    return result;
  };
  TTokenShift copy;
  copy.RowOffset = 3;
  copy.ColOffset = -1;
  TTokenShift chart = copy;
  chart.KeepAbsolute = false;
  TTokenShift sheetCopy;
  sheetCopy.CopySheet = true;
  TTokenShift expand;
  expand.CellRow = 65535;
  expand.CellCol = 255;
  const struct {
    TTokenSheets Sheets;
    TTokenShift Shift;
  } walks[] = {
      {{0, 0, &AWorkbook, nullptr}, shift(4, 2, 0, 0)},
      {{0, 0, &AWorkbook, nullptr}, shift(4, -2, 1, -2)},
      {{1, 0, &AWorkbook, nullptr}, shift(0, 1, 0, 1)},
      {{-1, -1, nullptr, nullptr}, copy},
      {{-1, -1, nullptr, nullptr}, chart},
      {{2, 0, &AWorkbook, &AWorkbook}, sheetCopy},
      {{-1, -1, nullptr, nullptr}, expand},
  };
  for (const auto& walk : walks) {
    std::vector<std::uint8_t> data = AData;
    try {
      engine::formulas::ShiftTokens(std::span(data).subspan(2, length), walk.Sheets, walk.Shift);
    } catch (const base::Exception&) {
    }
    DecodeQuietly(data, AWorkbook);
  }
}

void MixQuietly(const std::vector<std::uint8_t>& AShared) {
  std::vector<std::uint8_t> formula = base::ParseHex(
      "05 00 03 00 0F 00 00 00 00 00 00 00 00 00 02 00 00 00 00 00 05 00 01 01 00 03 00");
  try {
    engine::formulas::MixShared(formula, AShared);
  } catch (const base::Exception&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize) {
  const std::vector<std::uint8_t> data(AData, AData + ASize);
  formula_fuzz::TFormulaTestWorkbook workbook = formula_fuzz::Workbook();
  std::u16string text;
  try {
    text = engine::formulas::DecodeFormula(data, 2, workbook);
  } catch (const base::Exception&) {
  }
  ShiftAll(data, workbook);
  MixQuietly(data);
  if (!text.empty()) formula_fuzz::CheckEncoding(text, workbook);
  return 0;
}
