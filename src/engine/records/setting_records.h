// The setting records of sheets and of the workbook (window, zoom, panes, print and page
// settings, default sizes, calculation options). Each keeps its body as read and reads and
// changes it in place; only HEADER, FOOTER and PLS change their size, and whoever holds them in
// a list reports that to the list. Bits of a 16-bit field are counted from 0.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/biff/base_record.h"

namespace engine::records {

// The zoom a window may have, in percent.
inline constexpr int kMinZoom = 10;
inline constexpr int kMaxZoom = 400;

// PRECISION (0x000E): 0 calculates with the precision shown, anything else with full precision.
class TPrecisionRecord final : public biff::TConcreteRecord<TPrecisionRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
  bool PrecisionAsDisplayed() const { return GetWord(0) == 0; }
  void SetPrecisionAsDisplayed(bool AValue) { SetWord(0, AValue ? 0 : 1); }
};

// REFMODE (0x000F): 1 for A1 references, anything else R1C1.
class TRefModeRecord final : public biff::TConcreteRecord<TRefModeRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
  bool IsR1C1() const { return GetWord(0) != 1; }
  void SetIsR1C1(bool AValue) { SetWord(0, AValue ? 0 : 1); }
};

// HEADER and FOOTER: the page header or footer text, a string with a 2-byte character count,
// or an empty body for no text.
class TPageHeaderFooterRecord : public biff::TBaseRecord {
 public:
  std::u16string Text() const;
  // Rebuilds the body (8-bit characters when every one is below 256); the record's size
  // changes. Raises "Invalid String record" for a text that does not fit a record.
  void SetText(std::u16string_view AText);

 protected:
  using TBaseRecord::TBaseRecord;
};

// HEADER (0x0014).
class TPageHeaderRecord final
    : public biff::TConcreteRecord<TPageHeaderRecord, TPageHeaderFooterRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// FOOTER (0x0015).
class TPageFooterRecord final
    : public biff::TConcreteRecord<TPageFooterRecord, TPageHeaderFooterRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// 1904 (0x0022): 1 when dates count from 1904.
class T1904Record final : public biff::TConcreteRecord<T1904Record> {
 public:
  using TConcreteRecord::TConcreteRecord;
  bool Is1904() const { return GetWord(0) == 1; }
  void SetIs1904(bool AValue) { SetWord(0, AValue ? 1 : 0); }
};

// LEFTMARGIN, RIGHTMARGIN, TOPMARGIN, BOTTOMMARGIN (0x0026..0x0029): a page margin in inches,
// a 64-bit float (8 bytes).
class TMarginRecord final : public biff::TConcreteRecord<TMarginRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
  static constexpr std::uint16_t kDataSize = 8;
  // A margin record of id AId with a value of 0.
  static std::unique_ptr<TMarginRecord> CreateNew(std::uint16_t AId);

  double Value() const;
  // Raises "Error in Margin Record", leaving the record as it was, when the body is not
  // 8 bytes.
  void SetValue(double AValue);
};

// PRINTGRIDLINES (0x002B): 1 when grid lines are printed.
class TPrintGridLinesRecord final : public biff::TConcreteRecord<TPrintGridLinesRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
  bool Value() const { return GetWord(0) == 1; }
  void SetValue(bool AValue) { SetWord(0, AValue ? 1 : 0); }
};

// WINDOW1 (0x003D): the workbook window.
//   off  size  field
//   0    4     position x, y
//   4    2     width (0 is written as 1)
//   6    2     height (0 is written as 1)
//   8    2     options
//   10   2     active tab
//   12   2     first visible tab
//   14   2     number of selected tabs
//   16   2     tab bar ratio
class TWindow1Record final : public biff::TConcreteRecord<TWindow1Record> {
 public:
  using TConcreteRecord::TConcreteRecord;
  std::uint16_t ActiveSheet() const { return GetWord(10); }
  // Also makes the first tab the first visible one and one tab the selected ones.
  void SetActiveSheet(std::uint16_t AValue);
  std::uint16_t FirstSheetVisible() const { return GetWord(12); }
  void SetFirstSheetVisible(std::uint16_t AValue) { SetWord(12, AValue); }
  // A window of width or height 0 cannot be shown: the record is corrected, and keeps the
  // correction, before it is written.
  void SaveToStream(biff::TRecordSink& AStream) override;
};

// PANE (0x0041): the panes of a frozen or split window.
//   off  size  field
//   0    2     column split: columns frozen, or the split's horizontal offset
//   2    2     row split: rows frozen, or the split's vertical offset
//   4    2     first visible row of the bottom panes
//   6    2     first visible column of the right panes
//   8    2     active pane: 0 bottom-right, 1 top-right, 2 bottom-left, 3 top-left
class TPaneRecord final : public biff::TConcreteRecord<TPaneRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
  static constexpr std::uint16_t kDataSize = 10;
  // A PANE record with every field 0.
  static std::unique_ptr<TPaneRecord> CreateNew();

  std::uint16_t ColSplit() const { return GetWord(0); }
  void SetColSplit(std::uint16_t AValue) { SetWord(0, AValue); }
  std::uint16_t RowSplit() const { return GetWord(2); }
  void SetRowSplit(std::uint16_t AValue) { SetWord(2, AValue); }
  std::uint16_t FirstVisibleRow() const { return GetWord(4); }
  void SetFirstVisibleRow(std::uint16_t AValue) { SetWord(4, AValue); }
  std::uint16_t FirstVisibleCol() const { return GetWord(6); }
  void SetFirstVisibleCol(std::uint16_t AValue) { SetWord(6, AValue); }
  std::uint16_t ActivePane() const { return GetWord(8); }
  void SetActivePane(std::uint16_t AValue) { SetWord(8, AValue); }
  // Moves the active pane onto one that the splits make exist: the top-right pane needs a
  // column split, the bottom-left one a row split, the bottom-right one both; the top-left
  // pane always exists.
  void EnsureSelectedVisible();
};

// What PLS holds: the operating environment (0 for the one this format comes from) and the
// printer driver's data.
struct TPrinterDriverSettings {
  std::uint16_t OperatingEnviroment = 0;
  std::vector<std::uint8_t> Data;
  bool operator==(const TPrinterDriverSettings&) const = default;
};

// PLS (0x004D): the printer driver's settings.
//   off  size  field
//   0    2     operating environment
//   2    var   printer data, going on in CONTINUE records when it does not fit one record
class TPlsRecord final : public biff::TConcreteRecord<TPlsRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
  // A record of ASettings, with as many CONTINUE records as its data needs.
  static std::unique_ptr<TPlsRecord> CreateFromData(const TPrinterDriverSettings& ASettings);
  TPrinterDriverSettings PrinterData() const;
};

// DEFCOLWIDTH (0x0055): the default column width in characters.
class TDefColWidthRecord final : public biff::TConcreteRecord<TDefColWidthRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
  static constexpr std::uint16_t kMaxWidth = 255;
  std::uint16_t Width() const { return GetWord(0); }
  // A width of 256 or more is written, and kept, as 255.
  void SaveToStream(biff::TRecordSink& AStream) override;
};

// GUTS (0x0080): the room the outline symbols take.
//   off  size  field
//   0    2     row gutter width
//   2    2     column gutter height
//   4    2     row levels shown (highest level + 1, 0 without outline)
//   6    2     column levels shown
// Nothing reads the levels back: the worksheet computes them from its rows and columns when it
// is saved, if RecalcNeeded is set.
class TGutsRecord final : public biff::TConcreteRecord<TGutsRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
  static constexpr std::uint16_t kDataSize = 8;
  // A GUTS record without outline.
  static std::unique_ptr<TGutsRecord> CreateNew();

  bool RecalcNeeded = false;

  void SetRowLevel(int ALevel) { SetLevel(0, 4, ALevel); }
  void SetColLevel(int ALevel) { SetLevel(2, 6, ALevel); }
  std::unique_ptr<biff::TBaseRecord> DoCopyTo() const override;

 private:
  void SetLevel(std::size_t AGutterPos, std::size_t ALevelsPos, int ALevel);
};

// WSBOOL (0x0081): sheet options.
//   bit 5  outline styles applied automatically
//   bit 6  summary rows below their detail
//   bit 7  summary columns right of their detail
//   bit 8  fit the printout to pages
class TWsBoolRecord final : public biff::TConcreteRecord<TWsBoolRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
  std::uint16_t Value() const { return GetWord(0); }
  void SetValue(std::uint16_t AValue) { SetWord(0, AValue); }
  bool OutlineAutomaticStyles() const { return Bit(0x0020); }
  void SetOutlineAutomaticStyles(bool AValue) { SetBit(0x0020, AValue); }
  bool OutlineSummaryRowsBelowDetail() const { return Bit(0x0040); }
  void SetOutlineSummaryRowsBelowDetail(bool AValue) { SetBit(0x0040, AValue); }
  bool OutlineSummaryColsRightOfDetail() const { return Bit(0x0080); }
  void SetOutlineSummaryColsRightOfDetail(bool AValue) { SetBit(0x0080, AValue); }
  bool FitToPage() const { return Bit(0x0100); }
  void SetFitToPage(bool AValue) { SetBit(0x0100, AValue); }

 private:
  bool Bit(std::uint16_t AMask) const { return GetWord(0) & AMask; }
  void SetBit(std::uint16_t AMask, bool AValue);
};

// HCENTER, VCENTER (0x0083, 0x0084): 1 when the printout is centred across or down the page.
class TPrintCenteredRecord final : public biff::TConcreteRecord<TPrintCenteredRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
  bool Centered() const { return GetWord(0) == 1; }
  void SetCentered(bool AValue) { SetWord(0, AValue ? 1 : 0); }
};

// STANDARDWIDTH (0x0099): the standard column width in 1/256 of a character.
class TStandardWidthRecord final : public biff::TConcreteRecord<TStandardWidthRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
  std::uint16_t Width() const { return GetWord(0); }
};

// AUTOFILTERINFO (0x009D): the number of autofilter drop-downs.
class TAutoFilterInfoRecord final : public biff::TConcreteRecord<TAutoFilterInfoRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
  std::uint16_t DropDownCount() const { return GetWord(0); }
};

// SCL (0x00A0): the zoom of a sheet window as the fraction numerator (0) / denominator (2).
class TSCLRecord final : public biff::TConcreteRecord<TSCLRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
  static constexpr std::uint16_t kDataSize = 4;
  static std::unique_ptr<TSCLRecord> CreateFromData(int AZoom);

  // In percent, rounded to the nearest integer (halves to even); 100 for a denominator of 0.
  int Zoom() const;
  // Stores the zoom clamped to 10..400 over a denominator of 100.
  void SetZoom(int AZoom);
};

// The body of SETUP, field by field.
struct TSetupRec {
  std::uint16_t PaperSize = 0;
  std::uint16_t Scale = 0;
  std::uint16_t PageStart = 0;
  std::uint16_t FitWidth = 0;
  std::uint16_t FitHeight = 0;
  std::uint16_t GrBit = 0;
  std::uint16_t Resolution = 0;
  std::uint16_t VResolution = 0;
  double HeaderMargin = 0;
  double FooterMargin = 0;
  std::uint16_t Copies = 0;
  bool operator==(const TSetupRec&) const = default;
};

// SETUP (0x00A1): page setup, 34 bytes.
//   off  size  field
//   0    2     paper size
//   2    2     scale in percent
//   4    2     number of the first page
//   6    2     pages across to fit to
//   8    2     pages down to fit to
//   10   2     options: bit 1 portrait, bit 2 printer settings not valid (the paper size,
//              scale, copies and resolutions are then not to be used)
//   12   2     horizontal resolution in dpi
//   14   2     vertical resolution in dpi
//   16   8     header margin in inches (64-bit float)
//   24   8     footer margin in inches (64-bit float)
//   32   2     number of copies
class TSetupRecord final : public biff::TConcreteRecord<TSetupRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
  static constexpr std::uint16_t kDataSize = 34;
  static constexpr std::uint16_t kPortrait = 0x0002;
  static constexpr std::uint16_t kPrinterSettingsNotValid = 0x0004;

  TSetupRec Value() const;
  // Raises "Error in Setup Record", leaving the record as it was, when the body is not
  // 34 bytes.
  void SetValue(const TSetupRec& AValue);

  std::uint16_t PrintOptions() const { return GetWord(10); }
  // Only the low 8 bits of AValue are kept; bits 8 to 15 become 0.
  void SetPrintOptions(std::uint16_t AValue) { SetWord(10, AValue & 0x00FF); }
  std::uint16_t FitWidth() const { return GetWord(6); }
  void SetFitWidth(std::uint16_t AValue) { SetWord(6, AValue); }
  std::uint16_t FitHeight() const { return GetWord(8); }
  void SetFitHeight(std::uint16_t AValue) { SetWord(8, AValue); }
  double HeaderMargin() const;
  void SetHeaderMargin(double AValue);
  double FooterMargin() const;
  void SetFooterMargin(double AValue);

  // These five read 100, 0, 1, 100 and 100 while the printer settings are not valid; writing
  // one stores it and makes the printer settings valid.
  std::uint16_t Scale() const { return PrinterField(2, 100); }
  void SetScale(std::uint16_t AValue) { SetPrinterField(2, AValue); }
  std::uint16_t PrintPaperSize() const { return PrinterField(0, 0); }
  void SetPrintPaperSize(std::uint16_t AValue) { SetPrinterField(0, AValue); }
  std::uint16_t PrintCopies() const { return PrinterField(32, 1); }
  void SetPrintCopies(std::uint16_t AValue) { SetPrinterField(32, AValue); }
  std::uint16_t PrintXResolution() const { return PrinterField(12, 100); }
  void SetPrintXResolution(std::uint16_t AValue) { SetPrinterField(12, AValue); }
  std::uint16_t PrintYResolution() const { return PrinterField(14, 100); }
  void SetPrintYResolution(std::uint16_t AValue) { SetPrinterField(14, AValue); }

  void SetPrinterSettingsValid();

 private:
  std::uint16_t PrinterField(std::size_t AOffset, std::uint16_t AWhenNotValid) const;
  void SetPrinterField(std::size_t AOffset, std::uint16_t AValue);
};

// BOOKBOOL (0x00DA): 1 when external link values are not saved.
class TBookBoolRecord final : public biff::TConcreteRecord<TBookBoolRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
  bool SaveExternalLinkValues() const { return GetWord(0) != 1; }
  void SetSaveExternalLinkValues(bool AValue) { SetWord(0, AValue ? 0 : 1); }
};

// DEFAULTROWHEIGHT (0x0225): options (0), then the default row height in twips (2).
class TDefRowHeightRecord final : public biff::TConcreteRecord<TDefRowHeightRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
  std::uint16_t Height() const { return GetWord(2); }
};

// WINDOW2 (0x023E): a sheet window.
//   off  size  field
//   0    2     options: bit 1 grid lines shown, bit 2 row and column headings shown, bit 3
//              panes frozen, bit 8 frozen without a split line, bit 9 sheet selected, bit 10
//              sheet shown in the window
//   2    2     top row shown
//   4    2     left column shown
//   6    4     grid-line colour index
//   10   ...   zooms of the page-break and the normal view
// A copy (of a copied sheet) is neither selected nor shown.
class TWindow2Record final : public biff::TConcreteRecord<TWindow2Record> {
 public:
  using TConcreteRecord::TConcreteRecord;
  bool ShowGridLines() const { return Bit(0x0002); }
  void SetShowGridLines(bool AValue) { SetBit(0x0002, AValue); }
  bool ShowGridHeaders() const { return Bit(0x0004); }
  void SetShowGridHeaders(bool AValue) { SetBit(0x0004, AValue); }
  bool IsFrozen() const { return Bit(0x0008); }
  void SetIsFrozen(bool AValue) { SetBit(0x0008, AValue); }
  bool IsFrozenButNoSplit() const { return Bit(0x0100); }
  void SetIsFrozenButNoSplit(bool AValue) { SetBit(0x0100, AValue); }
  bool Selected() const { return Bit(kSelected); }
  // Selecting also shows the sheet in the window; deselecting hides it.
  void SetSelected(bool AValue) { SetBit(kSelected | kShown, AValue); }
  std::unique_ptr<biff::TBaseRecord> DoCopyTo() const override;

 private:
  static constexpr std::uint16_t kSelected = 0x0200;
  static constexpr std::uint16_t kShown = 0x0400;
  bool Bit(std::uint16_t AMask) const { return GetWord(0) & AMask; }
  void SetBit(std::uint16_t AMask, bool AValue);
};

}  // namespace engine::records
