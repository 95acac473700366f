// The settings of the workbook as a whole, read from the globals' WINDOW1, 1904, PRECISION and
// BOOKBOOL records through typed references (not owned) that the globals' loader sets. Without
// its record a setting reads its default and a write does nothing.
#pragma once

#include <cstdint>

#include "engine/records/setting_records.h"

namespace engine::records {

class TWorkbookSettings {
 public:
  // A WINDOW1, 1904, BOOKBOOL or PRECISION record becomes the reference of its kind, replacing
  // an earlier one; any other record is left alone. The record must stay in the globals.
  void LinkRecord(biff::TBaseRecord& ARecord);
  void ClearReferences();

  TWindow1Record* Window1() const noexcept { return FWindow1; }
  T1904Record* Date1904() const noexcept { return F1904; }
  TBookBoolRecord* BookBool() const noexcept { return FBookBool; }
  TPrecisionRecord* Precision() const noexcept { return FPrecision; }

  // WINDOW1's active tab (0). Writing also makes the first tab the first visible one and one
  // tab the selected ones; selecting the sheets themselves is the caller's.
  int ActiveSheet() const;
  void SetActiveSheet(std::uint16_t AValue);
  void SetFirstSheetVisible(std::uint16_t AIndex);
  bool Is1904() const;  // false
  void SetIs1904(bool AValue);
  bool PrecisionAsDisplayed() const;  // false
  void SetPrecisionAsDisplayed(bool AValue);
  bool SaveExternalLinkValues() const;  // false
  void SetSaveExternalLinkValues(bool AValue);

 private:
  TWindow1Record* FWindow1 = nullptr;
  T1904Record* F1904 = nullptr;
  TBookBoolRecord* FBookBool = nullptr;
  TPrecisionRecord* FPrecision = nullptr;
};

}  // namespace engine::records
