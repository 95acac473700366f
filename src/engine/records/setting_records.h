// The setting records of sheets and of the workbook (window, zoom, panes, print and page
// settings, default sizes, calculation options), each kept with its body as read.
#pragma once

#include <memory>

#include "engine/biff/base_record.h"

namespace engine::records {

// PRECISION (0x000E): whether the workbook calculates with the precision shown.
class TPrecisionRecord final : public biff::TConcreteRecord<TPrecisionRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// REFMODE (0x000F): A1 or R1C1 references.
class TRefModeRecord final : public biff::TConcreteRecord<TRefModeRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// HEADER and FOOTER: the page header or footer text.
class TPageHeaderFooterRecord : public biff::TBaseRecord {
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

// 1904 (0x0022): the date system of the workbook.
class T1904Record final : public biff::TConcreteRecord<T1904Record> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// LEFTMARGIN, RIGHTMARGIN, TOPMARGIN, BOTTOMMARGIN (0x0026..0x0029): a page margin in inches.
class TMarginRecord final : public biff::TConcreteRecord<TMarginRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// PRINTGRIDLINES (0x002B): whether grid lines are printed.
class TPrintGridLinesRecord final : public biff::TConcreteRecord<TPrintGridLinesRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// WINDOW1 (0x003D): the workbook window: position, size, tabs, active sheet.
class TWindow1Record final : public biff::TConcreteRecord<TWindow1Record> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// PANE (0x0041): frozen or split panes.
class TPaneRecord final : public biff::TConcreteRecord<TPaneRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// PLS (0x004D): printer driver settings.
class TPlsRecord final : public biff::TConcreteRecord<TPlsRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// DEFCOLWIDTH (0x0055): the default column width in characters.
class TDefColWidthRecord final : public biff::TConcreteRecord<TDefColWidthRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// GUTS (0x0080): the size of the outline symbols.
class TGutsRecord final : public biff::TConcreteRecord<TGutsRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// WSBOOL (0x0081): sheet options (outline, fit to page).
class TWsBoolRecord final : public biff::TConcreteRecord<TWsBoolRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// HCENTER, VCENTER (0x0083, 0x0084): whether the sheet is centred on the page.
class TPrintCenteredRecord final : public biff::TConcreteRecord<TPrintCenteredRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// STANDARDWIDTH (0x0099): the standard column width in 1/256 of a character.
class TStandardWidthRecord final : public biff::TConcreteRecord<TStandardWidthRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// AUTOFILTERINFO (0x009D): the number of autofilter drop-downs.
class TAutoFilterInfoRecord final : public biff::TConcreteRecord<TAutoFilterInfoRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// SCL (0x00A0): the zoom of a sheet window as a fraction.
class TSCLRecord final : public biff::TConcreteRecord<TSCLRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// SETUP (0x00A1): page setup.
class TSetupRecord final : public biff::TConcreteRecord<TSetupRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// BOOKBOOL (0x00DA): whether external link values are saved.
class TBookBoolRecord final : public biff::TConcreteRecord<TBookBoolRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// DEFAULTROWHEIGHT (0x0225): the default row height and its options.
class TDefRowHeightRecord final : public biff::TConcreteRecord<TDefRowHeightRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// WINDOW2 (0x023E): a sheet window.
//   off  size  field
//   0    2     option flags; bit 9 sheet selected, bit 10 sheet shown in the window
//   ...        grid-line colour, scroll position, zoom
// A copy (of a copied sheet) is neither selected nor shown.
class TWindow2Record final : public biff::TConcreteRecord<TWindow2Record> {
 public:
  using TConcreteRecord::TConcreteRecord;
  std::unique_ptr<biff::TBaseRecord> DoCopyTo() const override;
};

}  // namespace engine::records
