// The records that frame the sections of a workbook stream and describe the workbook as a
// whole.
#pragma once

#include <cstdint>

#include "engine/biff/base_record.h"

namespace engine::workbook {

inline constexpr std::uint16_t kBiff8Version = 0x0600;
inline constexpr std::uint16_t kBofWorkbookGlobals = 0x0005;
inline constexpr std::uint16_t kBofWorksheet = 0x0010;
inline constexpr std::uint16_t kBofChart = 0x0020;

// BOF (0x0809): starts a section.
//   off  size  field
//   0    2     BIFF version: 0x0600 (BIFF8), anything else is refused with "Template file is
//              saved with an invalid Excel version"
//   2    2     BOFType: 0x0005 workbook globals, 0x0010 worksheet, 0x0020 chart, other kinds
//   4    12    build, year, file history, lowest version
class TBOFRecord final : public biff::TConcreteRecord<TBOFRecord> {
 public:
  TBOFRecord(std::uint16_t AId, biff::TRecordData AData);
  std::uint16_t BOFType() const { return GetWord(2); }
};

// EOF (0x000A): ends a section; empty.
class TEOFRecord final : public biff::TConcreteRecord<TEOFRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// BOUNDSHEET (0x0085): a sheet of the workbook: stream offset of its BOF, options, name.
class TBoundSheetRecord final : public biff::TConcreteRecord<TBoundSheetRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// TEMPLATE (0x0060): the workbook is a template; empty.
class TTemplateRecord final : public biff::TConcreteRecord<TTemplateRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// OBPROJ (0x00D3): the workbook holds a macro project; empty.
class TObProjRecord final : public biff::TConcreteRecord<TObProjRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// CODENAME (0x01BA): the code name of the workbook or of a sheet.
class TCodeNameRecord final : public biff::TConcreteRecord<TCodeNameRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

}  // namespace engine::workbook
