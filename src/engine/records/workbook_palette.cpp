#include "engine/records/workbook_palette.h"

#include <algorithm>

#include "base/exception.h"
#include "engine/records/standard_palette.h"

namespace engine::records {

void TWorkbookPalette::Clear() noexcept {
  FPaletteCache = nullptr;
  FPaletteIndex = 0;
}

std::uint32_t TWorkbookPalette::Color(int AIndex) const {
  if (FPaletteCache) return FPaletteCache->Color(AIndex);
  if (AIndex < 0 || static_cast<std::size_t>(AIndex) >= kPaletteSize)
    base::Raise(base::TMessage::IndexOutOfRange,
                {AIndex, "Palette index", 0, static_cast<int>(kPaletteSize) - 1});
  return kStandardPalette[static_cast<std::size_t>(AIndex)];
}

void TWorkbookPalette::SetColor(biff::TBaseRecordList& AMiscRecords, int AIndex,
                                std::uint32_t AValue) {
  if (!FPaletteCache) {
    std::unique_ptr<TPaletteRecord> palette = TPaletteRecord::CreateStandard();
    FPaletteCache = palette.get();
    AMiscRecords.Insert(std::min(FPaletteIndex, AMiscRecords.Count()), std::move(palette));
  }
  FPaletteCache->SetColor(AIndex, AValue);
}

}  // namespace engine::records
