// The colour palette of a workbook: its PALETTE record when it has one, else the standard
// palette. Writing a colour into a workbook without a PALETTE record first gives it one with
// the standard colours, placed among the other global records after the XF and STYLE records.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/biff/record_lists.h"
#include "engine/records/format_records.h"

namespace engine::records {

class TWorkbookPalette {
 public:
  // The PALETTE record read with the globals (it stays in their list of other records).
  void SetPaletteRecord(TPaletteRecord* ARecord) noexcept { FPaletteCache = ARecord; }
  TPaletteRecord* PaletteRecord() const noexcept { return FPaletteCache; }
  // Where a new PALETTE record goes into the list of other global records.
  void SetInsertIndex(std::size_t AIndex) noexcept { FPaletteIndex = AIndex; }
  std::size_t InsertIndex() const noexcept { return FPaletteIndex; }
  void Clear() noexcept;

  // Entry AIndex (0-based) as 0x00BBGGRR. Outside the palette: "The index \"%d\" of the property
  // \"%s\" is not in the range %d-%d".
  std::uint32_t Color(int AIndex) const;
  // Stores entry AIndex, creating and inserting the PALETTE record into AMiscRecords first when
  // there is none (it stays there even when the index then turns out to be outside it).
  void SetColor(biff::TBaseRecordList& AMiscRecords, int AIndex, std::uint32_t AValue);

 private:
  TPaletteRecord* FPaletteCache = nullptr;  // not owned: a record of the globals' list
  std::size_t FPaletteIndex = 0;
};

}  // namespace engine::records
