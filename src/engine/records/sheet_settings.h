// The view, page and print settings of one sheet. A sheet keeps typed references (never owned)
// to the setting records in its record lists, set by the typed-reference rule while it loads
// and again after it is copied; its setting properties read those records, or a default when
// a record is missing, and change them in place. Only the zoom, the panes, the margins, the
// printer settings and the outline gutter create records; any other setting whose record is
// missing is stored nowhere, so a sheet keeps exactly the setting records it was loaded with.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/biff/record_lists.h"
#include "engine/records/setting_records.h"

namespace engine::records {

// The page margins of a sheet in inches.
struct TXlsMargins {
  double Left = 0;
  double Top = 0;
  double Right = 0;
  double Bottom = 0;
  double Header = 0;
  double Footer = 0;
  bool operator==(const TXlsMargins&) const = default;
};

// Margins of a sheet without margin records (0.75 and 1 inch less a little: 19 and 25 mm).
inline constexpr double kDefaultSideMargin = 0.7480314960629921;
inline constexpr double kDefaultTopBottomMargin = 0.984251968503937;

enum class TSheetKind : std::uint8_t { Worksheet, Chart, Unsupported };

// The highest outline levels among a worksheet's rows (ROW records) and columns (COLINFO
// entries); asked only when the outline gutter has to be recomputed.
class TOutlineLevelSource {
 public:
  virtual ~TOutlineLevelSource() = default;
  virtual int MaxRowOutlineLevel() const = 0;
  virtual int MaxColOutlineLevel() const = 0;
};

class TSheetSettings {
 public:
  // A worksheet: its print records sit in the first general list (FMiscRecords1), WINDOW2 and
  // the records after it in the second (FMiscRecords2), where new SCL and PANE records go.
  static TSheetSettings ForWorksheet(biff::TBaseRecordList& AMiscRecords1,
                                     biff::TBaseRecordList& AMiscRecords2);
  // A chart or another kind of sheet keeps all its records in one list.
  static TSheetSettings ForChart(biff::TBaseRecordList& AChartRecords);
  static TSheetSettings ForUnsupportedSheet(biff::TBaseRecordList& ASheetRecords);
  // The references belong to one sheet's lists: a copied sheet links its own (LinkSettingRecords).
  TSheetSettings(const TSheetSettings&) = delete;
  TSheetSettings& operator=(const TSheetSettings&) = delete;

  // The typed-reference rule: a WINDOW2, SCL, HEADER, FOOTER, PRINTGRIDLINES, margin, SETUP,
  // PLS, WSBOOL, HCENTER, VCENTER, PANE, GUTS, REFMODE or AUTOFILTERINFO record becomes the
  // reference of its kind, replacing an earlier one; any other record is left alone. The
  // record must stay in one of the sheet's lists.
  void LinkRecord(biff::TBaseRecord& ARecord);
  // Forgets every reference and links every record of the sheet's lists again (after a copy).
  void LinkSettingRecords();
  void ClearReferences();

  TWindow2Record* Window2() const noexcept { return FWindow2; }
  TSCLRecord* Zoom() const noexcept { return FZoom; }
  TPageHeaderRecord* PageHeaderRecord() const noexcept { return FPageHeader; }
  TPageFooterRecord* PageFooterRecord() const noexcept { return FPageFooter; }
  TPrintGridLinesRecord* PrintGridLinesRecord() const noexcept { return FPrintGridLines; }
  TMarginRecord* LeftMargin() const noexcept { return FLeftMargin; }
  TMarginRecord* RightMargin() const noexcept { return FRightMargin; }
  TMarginRecord* TopMargin() const noexcept { return FTopMargin; }
  TMarginRecord* BottomMargin() const noexcept { return FBottomMargin; }
  TSetupRecord* Setup() const noexcept { return FSetup; }
  TPlsRecord* PrinterDriverSettingsRecord() const noexcept { return FPrinterDriverSettings; }
  TWsBoolRecord* WSBool() const noexcept { return FWSBool; }
  TPrintCenteredRecord* HCenter() const noexcept { return FHCenter; }
  TPrintCenteredRecord* VCenter() const noexcept { return FVCenter; }
  TPaneRecord* Pane() const noexcept { return FPane; }
  TGutsRecord* Guts() const noexcept { return FGuts; }
  TRefModeRecord* RefMode() const noexcept { return FRefMode; }
  TAutoFilterInfoRecord* AutoFilterInfo() const noexcept { return FAutoFilterInfo; }

  // Properties of every kind of sheet. Without its record a property reads its default and a
  // write does nothing, except where noted.
  bool Selected() const;  // false
  void SetSelected(bool AValue);
  bool ShowGridLines() const;  // true
  void SetShowGridLines(bool AValue);
  bool ShowGridHeaders() const;  // true
  void SetShowGridHeaders(bool AValue);
  bool PrintGridLines() const;  // true
  void SetPrintGridLines(bool AValue);
  std::u16string PageHeader() const;  // empty
  void SetPageHeader(std::u16string_view AText);
  std::u16string PageFooter() const;  // empty
  void SetPageFooter(std::u16string_view AText);
  // Replaces the text of a HEADER or FOOTER record of this sheet and adapts the size of the
  // list that holds it.
  void SetHeaderFooterText(TPageHeaderFooterRecord& ARecord, std::u16string_view AText);
  bool IsR1C1() const;  // false
  void SetIsR1C1(bool AValue);

  // Left, right, top and bottom from their margin records (the defaults above without them),
  // header and footer from SETUP (0 without it). Writing creates the missing margin records:
  // each goes right after the last margin, VCENTER or DEFAULTROWHEIGHT record of the print
  // records, or at their end. Raises "Error in Margin Record" for a margin record whose body
  // is not 8 bytes.
  TXlsMargins Margins() const;
  void SetMargins(const TXlsMargins& AMargins);

  // 100 without SCL; writing creates the SCL record when it is missing (AddZoomRecord), then
  // stores the zoom clamped to 10..400.
  int SheetZoom() const;
  void SetSheetZoom(int AZoom);
  // A new SCL record of zoom 100: a worksheet puts it right after WINDOW2 (when its second
  // list holds at least WINDOW2 and one more record), a chart at the end of its records; other
  // sheets get none.
  void AddZoomRecord();
  // Worksheets only. True creates a PANE record (all zero) right after WINDOW2, or after the
  // SCL record that follows WINDOW2, when there is none and the second list holds at least two
  // records; false removes the last PANE record of that list.
  void SetPaneRecord(bool AValue);

  // Frozen panes: ARow rows and ACol columns stay in view (0, 0 unfreezes). Split window: the
  // split lines at AXOffset and AYOffset (twips). A negative count or offset means none;
  // one above 65535 raises "The index \"%d\" of the property \"%s\" is not in the range %d-%d".
  void FreezePanes(int ARow, int ACol);
  void GetFrozenPanes(int& ARow, int& ACol) const;
  void SplitWindow(int AXOffset, int AYOffset);
  void GetSplitWindow(int& AXOffset, int& AYOffset) const;

  // Worksheet properties.
  bool PrintToFit() const;  // false
  void SetPrintToFit(bool AValue);
  bool OutlineSummaryRowsBelowDetail() const;  // true
  void SetOutlineSummaryRowsBelowDetail(bool AValue);
  bool OutlineSummaryColsRightOfDetail() const;  // true
  void SetOutlineSummaryColsRightOfDetail(bool AValue);
  bool OutlineAutomaticStyles() const;  // false
  void SetOutlineAutomaticStyles(bool AValue);
  bool PrintHCentered() const;  // false
  void SetPrintHCentered(bool AValue);
  bool PrintVCentered() const;  // false
  void SetPrintVCentered(bool AValue);

  // From SETUP; the writes of values stored as 16-bit words first check the range 0..65535
  // and raise "The index \"%d\" of the property \"%s\" is not in the range %d-%d".
  int PrintScale() const;  // 100
  void SetPrintScale(int AValue);
  int PrintNumberOfHorizontalPages() const;  // 1
  void SetPrintNumberOfHorizontalPages(int AValue);
  int PrintNumberOfVerticalPages() const;  // 1
  void SetPrintNumberOfVerticalPages(int AValue);
  // Bit 1 portrait, bit 2 printer settings not valid; only the low 8 bits are stored.
  int PrintOptions() const;  // 0
  void SetPrintOptions(int AValue);
  int PrintPaperSize() const;  // 1
  void SetPrintPaperSize(int AValue);
  int PrintCopies() const;  // 1
  void SetPrintCopies(int AValue);
  int PrintXResolution() const;  // 600
  void SetPrintXResolution(int AValue);
  int PrintYResolution() const;  // 600
  void SetPrintYResolution(int AValue);

  // From PLS (environment 0 and no data without it). Writing removes every PLS record of the
  // print records; settings with data then go into a new PLS record just before SETUP (at the
  // end without SETUP), and SETUP marks the printer settings valid.
  TPrinterDriverSettings PrinterDriverSettings() const;
  void SetPrinterDriverSettings(const TPrinterDriverSettings& ASettings);

  // Called before a row's or column's outline level changes: makes sure there is a GUTS
  // record (a new one goes in front of the first DEFAULTROWHEIGHT record of the print
  // records, or at their end) and marks it for recomputation.
  void EnsureGutsForOutline();
  // Called when the worksheet is saved: a GUTS record marked for recomputation takes the
  // highest row and column outline levels and loses the mark.
  void RecalcGuts(const TOutlineLevelSource& ALevels);

 private:
  TSheetSettings(TSheetKind AKind, biff::TBaseRecordList& APrintRecords,
                 biff::TBaseRecordList* AWindowRecords) noexcept
      : FKind(AKind), FPrintRecords(&APrintRecords), FWindowRecords(AWindowRecords) {}

  biff::TBaseRecordList* ListHolding(const biff::TBaseRecord& ARecord) const;
  void SetMargin(TMarginRecord*& AReference, std::uint16_t AId, double AValue);
  void RemovePrinterDriverSettings();

  TSheetKind FKind;
  biff::TBaseRecordList* FPrintRecords;   // not owned
  biff::TBaseRecordList* FWindowRecords;  // not owned; worksheets only

  // Typed references into the lists above, not owned.
  TWindow2Record* FWindow2 = nullptr;
  TPageHeaderRecord* FPageHeader = nullptr;
  TPageFooterRecord* FPageFooter = nullptr;
  TPrintGridLinesRecord* FPrintGridLines = nullptr;
  TMarginRecord* FLeftMargin = nullptr;
  TMarginRecord* FRightMargin = nullptr;
  TMarginRecord* FTopMargin = nullptr;
  TMarginRecord* FBottomMargin = nullptr;
  TSetupRecord* FSetup = nullptr;
  TPlsRecord* FPrinterDriverSettings = nullptr;
  TWsBoolRecord* FWSBool = nullptr;
  TPrintCenteredRecord* FHCenter = nullptr;
  TPrintCenteredRecord* FVCenter = nullptr;
  TSCLRecord* FZoom = nullptr;
  TGutsRecord* FGuts = nullptr;
  TPaneRecord* FPane = nullptr;
  TAutoFilterInfoRecord* FAutoFilterInfo = nullptr;
  TRefModeRecord* FRefMode = nullptr;
};

}  // namespace engine::records
