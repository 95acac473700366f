#include "engine/formulas/token_walker.h"

#include <algorithm>

#include "base/little_endian.h"
#include "engine/formulas/formula_tokens.h"

namespace engine::formulas {

namespace {

// The base id of a token: class variants of classed ids behave alike; 0 for ids outside the
// format.
constexpr std::uint8_t BaseId(std::uint8_t AId) noexcept {
  if (AId < 0x20) return AId;
  if (AId < 0x80) return static_cast<std::uint8_t>((AId & 0x1F) | 0x20);
  return 0;
}

class TWalker {
public:
  TWalker(std::span<std::uint8_t> ATokens, const TTokenSheets& ASheets, const TTokenShift& AShift)
      : FTokens(ATokens), FSheets(ASheets), FShift(AShift) {}

  void Run() {
    std::size_t pos = 0;
    while (pos < FTokens.size()) pos += Token(pos);
  }

private:
  // Handles the token at APos and returns its size.
  std::size_t Token(std::size_t APos) {
    const std::uint8_t id = FTokens[APos];
    const std::uint8_t base = BaseId(id);
    if (base >= ptgAdd && base <= ptgMissArg) return 1;  // operators, parentheses, ptgMissArg
    switch (base) {
      case ptgStr: {  // 0x17
        Need(APos, 3);
        std::size_t charSize = (FTokens[APos + 2] & 0x01) != 0 ? 2 : 1;
        return Need(APos, 3 + FTokens[APos + 1] * charSize);
      }
      case ptgErr:   // 0x1C
      case ptgBool:  // 0x1D
        return Need(APos, 2);
      case ptgInt:      // 0x1E
      case ptgFunc:     // 0x21
      case ptgMemFunc:  // 0x29
        return Need(APos, 3);
      case ptgFuncVar:  // 0x22
        return Need(APos, 4);
      case ptgNum:  // 0x1F
        return Need(APos, 9);
      case ptgAttr: {  // 0x19
        Need(APos, 4);
        if ((FTokens[APos + 1] & kAttrChoose) == 0) return 4;
        return Need(APos,
                    4 + 2 * (static_cast<std::size_t>(base::LoadLE16(&FTokens[APos + 2])) + 1));
      }
      case ptgArray:  // 0x20
        return Need(APos, 8);
      case ptgName:  // 0x23
        Need(APos, 5);
        RetargetName(APos + 1);
        return 5;
      case ptgNameX:  // 0x39
        Need(APos, 7);
        RetargetName(APos + 3);
        return 7;
      case ptgRefN:  // 0x2C
        Need(APos, 5);
        if (!Expanding()) return 5;
        FTokens[APos] = static_cast<std::uint8_t>(id - 8);
        Single(APos, APos + 1, FSheets.FormulaSheet);
        return 5;
      case ptgRef:     // 0x24
      case ptgRefErr:  // 0x2A
        Need(APos, 5);
        Single(APos, APos + 1, FSheets.FormulaSheet);
        return 5;
      case ptgAreaN:  // 0x2D
        Need(APos, 9);
        if (!Expanding()) return 9;
        FTokens[APos] = static_cast<std::uint8_t>(id - 8);
        Area(APos, APos + 1, FSheets.FormulaSheet);
        return 9;
      case ptgArea:     // 0x25
      case ptgAreaErr:  // 0x2B
        Need(APos, 9);
        Area(APos, APos + 1, FSheets.FormulaSheet);
        return 9;
      case ptgRef3d:     // 0x3A
      case ptgRefErr3d:  // 0x3C
        Need(APos, 7);
        Single(APos, APos + 3, ReferencedSheet(APos + 1));
        return 7;
      case ptgArea3d:     // 0x3B
      case ptgAreaErr3d:  // 0x3D
        Need(APos, 11);
        Area(APos, APos + 3, ReferencedSheet(APos + 1));
        return 11;
      case ptgExp:  // 0x01
      case ptgTbl:  // 0x02
        Need(APos, 5);
        MasterCell(APos);
        return 5;
      default:
        RaiseTokenError(id);
    }
  }

  std::size_t Need(std::size_t APos, std::size_t ASize) const {
    base::CheckRange(FTokens.size(), APos, ASize);
    return ASize;
  }

  bool Expanding() const noexcept { return FShift.CellRow >= 0; }

  std::uint16_t Get(std::size_t AAt) const { return base::LoadLE16(&FTokens[AAt]); }
  void Set(std::size_t AAt, std::uint16_t AValue) { base::StoreLE16(&FTokens[AAt], AValue); }

  // The sheet a 3-D token refers to; in a sheet copy a reference to the source becomes one to
  // the copy.
  int ReferencedSheet(std::size_t AAt) {
    if (FSheets.References == nullptr) return FSheets.FormulaSheet;
    int sheet = FSheets.References->GetSheet(Get(AAt));
    if (FShift.CopySheet && sheet == FSheets.FormulaSheet)
      Set(AAt, static_cast<std::uint16_t>(FSheets.References->SetSheet(FSheets.InsSheet)));
    return sheet;
  }

  // Moves AValue by ADelta from AThreshold (below 0: no band), within 0..ALimit; returns
  // false where the reference breaks, leaving AValue as it was.
  static bool Move(int& AValue, int ADelta, int AThreshold, int ALimit) {
    if (ADelta == 0) return true;
    if (ADelta < 0 && AThreshold >= 0 && AThreshold <= AValue && AValue < AThreshold - ADelta)
      return false;
    int moved = AValue + ADelta;
    if (moved < 0 || moved > ALimit) return false;
    AValue = moved;
    return true;
  }

  // Insertion or deletion of the rows (or columns) of an area's two edges.
  static bool MoveEdges(int& AFirst, int& ALast, int APos, int ACount, int ALimit) {
    bool ok = true;
    if (ACount >= 0) {
      if (AFirst >= APos) ok = Move(AFirst, ACount, APos, ALimit) && ok;
      if (ALast >= APos && ALast != ALimit) ok = Move(ALast, ACount, APos, ALimit) && ok;
      return ok;
    }
    const int deleted = -ACount;
    if (AFirst >= APos) {
      if (ALast < APos + deleted) return false;  // the whole area is deleted
      ok = Move(AFirst, std::max(APos - AFirst, -deleted), -1, ALimit) && ok;
      if (ALast != ALimit) ok = Move(ALast, -deleted, -1, ALimit) && ok;
      return ok;
    }
    if (ALast == ALimit || ALast < APos) return true;
    return Move(ALast, std::max(APos - ALast - 1, -deleted), -1, ALimit);
  }

  // A row and the column field it goes with (its relative flags).
  struct TPart {
    int Row;
    std::uint16_t ColField;
    int Col() const noexcept { return ColField & kColumnMask; }
    bool RowRelative() const noexcept { return (ColField & kRowRelative) != 0; }
    bool ColRelative() const noexcept { return (ColField & kColumnRelative) != 0; }
  };

  bool CopyOffsets(TPart& APart) const {
    bool ok = true;
    if (!FShift.KeepAbsolute || APart.RowRelative())
      ok = Move(APart.Row, FShift.RowOffset, -1, kMaxRow) && ok;
    if (!FShift.KeepAbsolute || APart.ColRelative()) {
      int col = APart.Col();
      ok = Move(col, FShift.ColOffset, -1, kMaxColumn) && ok;
      SetCol(APart, col);
    }
    return ok;
  }

  // Shared formulas hold offsets from the cell; the additions wrap like the stored fields, and
  // a column stays within the low byte of its field.
  void Expand(TPart& APart) const {
    if (!Expanding()) return;
    if (APart.RowRelative()) APart.Row = (APart.Row + FShift.CellRow) & 0xFFFF;
    if (APart.ColRelative()) SetCol(APart, (APart.Col() + FShift.CellCol) & kColumnMask);
  }

  static void SetCol(TPart& APart, int ACol) {
    APart.ColField = static_cast<std::uint16_t>((APart.ColField & ~kColumnMask) | ACol);
  }

  // A single reference of the token at APos: row and column field at AAt.
  void Single(std::size_t APos, std::size_t AAt, int ASheet) {
    TPart part{Get(AAt), Get(AAt + 2)};
    bool ok = true;
    if (ASheet == FSheets.InsSheet) {
      if (part.Row >= FShift.RowPos)
        ok = Move(part.Row, FShift.RowCount, FShift.RowPos, kMaxRow) && ok;
      int col = part.Col();
      if (col >= FShift.ColPos) ok = Move(col, FShift.ColCount, FShift.ColPos, kMaxColumn) && ok;
      SetCol(part, col);
    }
    ok = CopyOffsets(part) && ok;
    Expand(part);
    Set(AAt, static_cast<std::uint16_t>(part.Row));
    Set(AAt + 2, part.ColField);
    if (!ok) MakeError(APos);
  }

  // An area of the token at APos: first row, last row, first and last column field at AAt.
  void Area(std::size_t APos, std::size_t AAt, int ASheet) {
    TPart first{Get(AAt), Get(AAt + 4)};
    TPart last{Get(AAt + 2), Get(AAt + 6)};
    bool ok = true;
    if (ASheet == FSheets.InsSheet) {
      ok = MoveEdges(first.Row, last.Row, FShift.RowPos, FShift.RowCount, kMaxRow) && ok;
      int firstCol = first.Col();
      int lastCol = last.Col();
      ok = MoveEdges(firstCol, lastCol, FShift.ColPos, FShift.ColCount, kMaxColumn) && ok;
      SetCol(first, firstCol);
      SetCol(last, lastCol);
    }
    ok = CopyOffsets(first) && ok;
    ok = CopyOffsets(last) && ok;
    Expand(first);
    Expand(last);
    Set(AAt, static_cast<std::uint16_t>(first.Row));
    Set(AAt + 2, static_cast<std::uint16_t>(last.Row));
    Set(AAt + 4, first.ColField);
    Set(AAt + 6, last.ColField);
    if (!ok) MakeError(APos);
  }

  void MakeError(std::size_t APos) {
    const std::uint8_t id = FTokens[APos];
    switch (BaseId(id)) {
      case ptgRef:
      case ptgArea:
        FTokens[APos] = static_cast<std::uint8_t>(id + 6);
        break;
      case ptgRef3d:
      case ptgArea3d:
        FTokens[APos] = static_cast<std::uint8_t>(id + 2);
        break;
      default:  // already an error form
        break;
    }
  }

  // ptgExp and ptgTbl: the master cell of the formula's own sheet moves with its rows and
  // columns; it has no error form.
  void MasterCell(std::size_t APos) {
    if (FSheets.FormulaSheet != FSheets.InsSheet || FShift.CopySheet) return;
    int row = Get(APos + 1);
    int col = FTokens[APos + 3];
    bool ok = true;
    if (row >= FShift.RowPos) ok = Move(row, FShift.RowCount, FShift.RowPos, kMaxRow) && ok;
    ok = Move(row, FShift.RowOffset, -1, kMaxRow) && ok;
    if (col >= FShift.ColPos) ok = Move(col, FShift.ColCount, FShift.ColPos, kMaxColumn) && ok;
    ok = Move(col, FShift.ColOffset, -1, kMaxColumn) && ok;
    if (!ok) RaiseTokenError(FTokens[APos]);
    Set(APos + 1, static_cast<std::uint16_t>(row));
    FTokens[APos + 3] = static_cast<std::uint8_t>(col);
  }

  // In a sheet copy a name of the source sheet, or a global one, is replaced by the copy's
  // name of the same text.
  void RetargetName(std::size_t AAt) {
    const IDefinedNames* names = FSheets.Names;
    if (names == nullptr || !FShift.CopySheet) return;
    const int index = Get(AAt);
    if (index < 1 || index > names->Count()) return;
    const int owner = names->RangeSheet(index - 1);
    if (owner != FSheets.FormulaSheet && owner != -1) return;
    const std::u16string_view text = names->Name(index - 1);
    for (int i = 0; i < names->Count() && i < 0xFFFF; ++i) {
      if (names->RangeSheet(i) == FSheets.InsSheet && names->Name(i) == text) {
        Set(AAt, static_cast<std::uint16_t>(i + 1));
        return;
      }
    }
  }

  std::span<std::uint8_t> FTokens;
  const TTokenSheets& FSheets;
  const TTokenShift& FShift;
};

constexpr std::size_t kFormulaTokens = 22;  // FORMULA data: 20 bytes, token length, tokens
constexpr std::size_t kShrFmlaTokenLength = 8;

}  // namespace

void ShiftTokens(std::span<std::uint8_t> ATokens, const TTokenSheets& ASheets,
                 const TTokenShift& AShift) {
  TWalker(ATokens, ASheets, AShift).Run();
}

void ArrangeInsertRowsAndCols(std::span<std::uint8_t> ATokens, int aRowPos, int aRowCount,
                              int aColPos, int aColCount, const TTokenSheets& ASheets) {
  TTokenShift shift;
  shift.RowPos = aRowPos;
  shift.RowCount = aRowCount;
  shift.ColPos = aColPos;
  shift.ColCount = aColCount;
  ShiftTokens(ATokens, ASheets, shift);
}

void ArrangeCopyRowsAndCols(std::span<std::uint8_t> ATokens, int ARowOffset, int AColOffset,
                            bool AKeepAbsolute) {
  TTokenShift shift;
  shift.RowOffset = ARowOffset;
  shift.ColOffset = AColOffset;
  shift.KeepAbsolute = AKeepAbsolute;
  ShiftTokens(ATokens, TTokenSheets{}, shift);
}

void ArrangeCopySheet(std::span<std::uint8_t> ATokens, const TTokenSheets& ASheets) {
  TTokenShift shift;
  shift.CopySheet = true;
  ShiftTokens(ATokens, ASheets, shift);
}

bool IsExp(std::span<const std::uint8_t> AFormulaData) {
  return AFormulaData.size() == 27 && base::GetU16(AFormulaData, 20) == 5 &&
         AFormulaData[kFormulaTokens] == ptgExp;
}

std::uint32_t ExpKey(std::span<const std::uint8_t> AFormulaData) {
  std::uint32_t row = base::GetU16(AFormulaData, kFormulaTokens + 1);
  std::uint32_t col = base::GetU16(AFormulaData, kFormulaTokens + 3);
  return (col << 16) | row;
}

void MixShared(std::vector<std::uint8_t>& AFormulaData,
               std::span<const std::uint8_t> AShrFmlaData) {
  base::CheckRange(AFormulaData.size(), 0, kFormulaTokens - 2);
  const std::uint16_t tokenLength = base::GetU16(AShrFmlaData, kShrFmlaTokenLength);
  base::CheckRange(AShrFmlaData.size(), kShrFmlaTokenLength + 2, tokenLength);
  std::vector<std::uint8_t> mixed(AFormulaData.begin(),
                                  AFormulaData.begin() + (kFormulaTokens - 2));
  mixed.insert(mixed.end(), AShrFmlaData.begin() + kShrFmlaTokenLength, AShrFmlaData.end());
  TTokenShift shift;
  shift.CellRow = base::GetU16(AFormulaData, 0);
  shift.CellCol = base::GetU16(AFormulaData, 2);
  ShiftTokens(std::span(mixed).subspan(kFormulaTokens, tokenLength), TTokenSheets{}, shift);
  AFormulaData = std::move(mixed);
}

}  // namespace engine::formulas
