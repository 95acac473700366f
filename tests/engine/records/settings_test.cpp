#include <gtest/gtest.h>

#include <vector>

#include "base/hex.h"
#include "engine/biff/record_ids.h"
#include "engine/records/sheet_settings.h"
#include "engine/records/workbook_settings.h"
#include "engine/template/empty_workbook.h"
#include "support/record_bytes.h"

namespace {

using namespace engine::records;
namespace biff = engine::biff;
namespace rid = engine::biff::rid;
using testing_support::Hex;
using testing_support::RaisedMessage;
using testing_support::Written;

std::string HexOf(const std::vector<std::uint8_t>& ABytes) {
  return base::ToHex(ABytes);
}

std::vector<std::uint16_t> Ids(const biff::TBaseRecordList& AList) {
  std::vector<std::uint16_t> ids;
  for (std::size_t i = 0; i < AList.Count(); ++i) ids.push_back(AList[i]->Id());
  return ids;
}

// A list knows the bytes it writes without writing them.
void ExpectSizeKept(biff::TBaseRecordList& AList) {
  EXPECT_EQ(AList.TotalSize(), static_cast<std::int64_t>(Written(AList).size()));
}

template <class T>
std::unique_ptr<T> Take(std::unique_ptr<biff::TBaseRecord> ARecord) {
  return std::unique_ptr<T>(&dynamic_cast<T&>(*ARecord.release()));
}

// One record read from its bytes (header included) with the workbook's factory.
template <class T = biff::TBaseRecord>
std::unique_ptr<T> Read(std::string_view AHex) {
  auto records = testing_support::ReadAllRecords(Hex(AHex));
  return Take<T>(std::move(records.at(0)));
}

// The empty workbook's globals and its sheet as their loaders keep them: the sheet's records
// before WINDOW2 in the first general list, WINDOW2 and what follows in the second, BOF, EOF,
// dropped records and DIMENSIONS left out; every record kept goes through the typed-reference
// rule.
class TTemplateWorkbook {
 public:
  TTemplateWorkbook() : Settings(TSheetSettings::ForWorksheet(Misc1, Misc2)) {
    bool inSheet = false;
    bool afterWindow2 = false;
    for (auto& record : testing_support::ReadAllRecords(engine::tmpl::TemplateWorkbookRecords())) {
      const std::uint16_t id = record->Id();
      if (id == rid::Bof || id == rid::Dimensions || record->TotalSize() == 0) continue;
      if (id == rid::Eof) {
        inSheet = true;
        continue;
      }
      if (!inSheet) {
        Workbook.LinkRecord(*record);
        Globals.Add(std::move(record));
        continue;
      }
      afterWindow2 = afterWindow2 || id == rid::Window2;
      Settings.LinkRecord(*record);
      (afterWindow2 ? Misc2 : Misc1).Add(std::move(record));
    }
  }

  biff::TBaseRecordList Globals;
  TWorkbookSettings Workbook;
  biff::TBaseRecordList Misc1;
  biff::TBaseRecordList Misc2;
  TSheetSettings Settings;
};

const std::vector<std::uint16_t> kTemplateMisc1 = {0x000D,
                                                   0x000C,
                                                   rid::RefMode,
                                                   0x0011,
                                                   0x0010,
                                                   0x005F,
                                                   0x002A,
                                                   rid::PrintGridLines,
                                                   0x0082,
                                                   rid::Guts,
                                                   rid::DefaultRowHeight,
                                                   rid::WsBool,
                                                   rid::Header,
                                                   rid::Footer,
                                                   rid::HCenter,
                                                   rid::VCenter,
                                                   rid::Setup,
                                                   rid::DefColWidth};
const std::vector<std::uint16_t> kTemplateMisc2 = {rid::Window2, 0x001D, 0x00EF};

TEST(SheetSettings, TemplateSheetReadsItsRecordsAndTheDefaults) {
  TTemplateWorkbook book;
  ASSERT_EQ(Ids(book.Misc1), kTemplateMisc1);
  ASSERT_EQ(Ids(book.Misc2), kTemplateMisc2);
  const TSheetSettings& s = book.Settings;
  EXPECT_TRUE(s.Selected());
  EXPECT_TRUE(s.ShowGridLines());
  EXPECT_TRUE(s.ShowGridHeaders());
  EXPECT_FALSE(s.PrintGridLines());
  EXPECT_EQ(s.PageHeader(), u"");
  EXPECT_EQ(s.PageFooter(), u"");
  EXPECT_EQ(s.Margins(), (TXlsMargins{kDefaultSideMargin, kDefaultTopBottomMargin,
                                      kDefaultSideMargin, kDefaultTopBottomMargin, 0.5, 0.5}));
  EXPECT_EQ(s.SheetZoom(), 100);
  EXPECT_FALSE(s.IsR1C1());
  EXPECT_FALSE(s.PrintToFit());
  EXPECT_TRUE(s.OutlineSummaryRowsBelowDetail());
  EXPECT_TRUE(s.OutlineSummaryColsRightOfDetail());
  EXPECT_FALSE(s.OutlineAutomaticStyles());
  EXPECT_FALSE(s.PrintHCentered());
  EXPECT_FALSE(s.PrintVCentered());
  // SETUP says its printer settings are not valid: the five printer fields read their stand-ins.
  EXPECT_EQ(s.PrintScale(), 100);
  EXPECT_EQ(s.PrintPaperSize(), 0);
  EXPECT_EQ(s.PrintCopies(), 1);
  EXPECT_EQ(s.PrintXResolution(), 100);
  EXPECT_EQ(s.PrintYResolution(), 100);
  EXPECT_EQ(s.PrintNumberOfHorizontalPages(), 1);
  EXPECT_EQ(s.PrintNumberOfVerticalPages(), 1);
  EXPECT_EQ(s.PrintOptions(), 0x0004);
  EXPECT_EQ(s.PrinterDriverSettings(), TPrinterDriverSettings());
  EXPECT_EQ(s.Zoom(), nullptr);
  EXPECT_EQ(s.Pane(), nullptr);
  EXPECT_EQ(s.LeftMargin(), nullptr);
  EXPECT_EQ(s.PrinterDriverSettingsRecord(), nullptr);
  EXPECT_EQ(s.AutoFilterInfo(), nullptr);
}

TEST(SheetSettings, WithoutRecordsPropertiesReadDefaultsAndWritesStoreNothing) {
  biff::TBaseRecordList misc1;
  biff::TBaseRecordList misc2;
  TSheetSettings s = TSheetSettings::ForWorksheet(misc1, misc2);
  s.SetSelected(true);
  s.SetShowGridLines(false);
  s.SetPrintGridLines(false);
  s.SetPageHeader(u"x");
  s.SetIsR1C1(true);
  s.SetPrintToFit(true);
  s.SetOutlineSummaryRowsBelowDetail(false);
  s.SetPrintHCentered(true);
  s.SetPrintScale(50);
  s.SetPrintOptions(2);
  s.SetPrintCopies(3);
  s.SetSheetZoom(200);  // a worksheet without WINDOW2 gets no SCL
  s.FreezePanes(3, 3);
  EXPECT_EQ(misc1.Count() + misc2.Count(), 0u);

  EXPECT_FALSE(s.Selected());
  EXPECT_TRUE(s.ShowGridLines());
  EXPECT_TRUE(s.PrintGridLines());
  EXPECT_EQ(s.PageHeader(), u"");
  EXPECT_FALSE(s.IsR1C1());
  EXPECT_FALSE(s.PrintToFit());
  EXPECT_TRUE(s.OutlineSummaryRowsBelowDetail());
  EXPECT_FALSE(s.PrintHCentered());
  EXPECT_EQ(s.SheetZoom(), 100);
  EXPECT_EQ(s.Margins(), (TXlsMargins{kDefaultSideMargin, kDefaultTopBottomMargin,
                                      kDefaultSideMargin, kDefaultTopBottomMargin, 0, 0}));
  EXPECT_EQ(s.PrintScale(), 100);
  EXPECT_EQ(s.PrintOptions(), 0);
  EXPECT_EQ(s.PrintPaperSize(), 1);
  EXPECT_EQ(s.PrintCopies(), 1);
  EXPECT_EQ(s.PrintXResolution(), 600);
  EXPECT_EQ(s.PrintYResolution(), 600);
  int row = -1, col = -1;
  s.GetFrozenPanes(row, col);
  EXPECT_EQ(row, 0);
  EXPECT_EQ(col, 0);
}

TEST(SheetSettings, ALaterRecordOfAKindReplacesTheReferenceAndOtherClassesAreNotLinked) {
  biff::TBaseRecordList misc1;
  biff::TBaseRecordList misc2;
  TSheetSettings s = TSheetSettings::ForWorksheet(misc1, misc2);
  misc1.Add(Read("A0 00 04 00 03 00 02 00"));  // SCL 3/2
  misc1.Add(Read("A0 00 04 00 01 00 02 00"));  // SCL 1/2
  // A plain record that merely carries the id of WINDOW2 is not a sheet window.
  misc1.Add(std::make_unique<biff::TBaseRecord>(rid::Window2, biff::TRecordData::Allocate(18)));
  for (std::size_t i = 0; i < misc1.Count(); ++i) s.LinkRecord(*misc1[i]);
  EXPECT_EQ(s.Zoom(), misc1[1]);
  EXPECT_EQ(s.SheetZoom(), 50);
  EXPECT_EQ(s.Window2(), nullptr);
  s.ClearReferences();
  EXPECT_EQ(s.Zoom(), nullptr);
  EXPECT_EQ(s.SheetZoom(), 100);
}

TEST(SheetSettings, ACopiedSheetLinksItsOwnRecordsAndIsNotSelected) {
  TTemplateWorkbook book;
  book.Settings.SetMargins({1, 1, 1, 1, 0.5, 0.5});
  book.Settings.EnsureGutsForOutline();
  biff::TBaseRecordList misc1;
  biff::TBaseRecordList misc2;
  misc1.CopyFrom(book.Misc1);
  misc2.CopyFrom(book.Misc2);
  TSheetSettings copy = TSheetSettings::ForWorksheet(misc1, misc2);
  copy.LinkSettingRecords();
  EXPECT_EQ(copy.Window2(), misc2[0]);
  EXPECT_EQ(copy.LeftMargin(), misc1[16]);
  EXPECT_EQ(copy.Setup(), misc1[20]);
  EXPECT_FALSE(copy.Selected());
  EXPECT_TRUE(book.Settings.Selected());
  ASSERT_NE(copy.Guts(), nullptr);
  EXPECT_TRUE(copy.Guts()->RecalcNeeded);
}

TEST(SheetSettings, ZoomIsClampedAndANewSclFollowsWindow2) {
  TTemplateWorkbook book;
  const auto before = Written(book.Misc2);
  book.Settings.SetSheetZoom(5);
  ASSERT_EQ(Ids(book.Misc2), (std::vector<std::uint16_t>{rid::Window2, rid::Scl, 0x001D, 0x00EF}));
  EXPECT_EQ(HexOf(Written(*book.Misc2[1])), "A0 00 04 00 0A 00 64 00");
  EXPECT_EQ(book.Settings.SheetZoom(), 10);
  book.Settings.SetSheetZoom(500);
  EXPECT_EQ(book.Misc2.Count(), 4u);
  EXPECT_EQ(HexOf(Written(*book.Misc2[1])), "A0 00 04 00 90 01 64 00");
  EXPECT_EQ(book.Settings.SheetZoom(), 400);
  ExpectSizeKept(book.Misc2);
  EXPECT_EQ(book.Misc2.TotalSize(), static_cast<std::int64_t>(before.size()) + 8);
}

TEST(SheetSettings, ZoomRecordsOfChartsAndOtherSheets) {
  biff::TBaseRecordList chart;
  TSheetSettings chartSettings = TSheetSettings::ForChart(chart);
  chart.Add(Read("3E 02 0A 00 00 00 00 00 00 00 00 00 00 00"));
  chartSettings.LinkRecord(*chart[0]);
  chartSettings.SetSheetZoom(150);
  ASSERT_EQ(Ids(chart), (std::vector<std::uint16_t>{rid::Window2, rid::Scl}));
  EXPECT_EQ(chartSettings.SheetZoom(), 150);

  biff::TBaseRecordList other;
  TSheetSettings otherSettings = TSheetSettings::ForUnsupportedSheet(other);
  otherSettings.SetSheetZoom(150);
  EXPECT_EQ(other.Count(), 0u);
  EXPECT_EQ(otherSettings.SheetZoom(), 100);

  // A worksheet whose second list holds WINDOW2 alone gets no SCL either.
  biff::TBaseRecordList misc1;
  biff::TBaseRecordList misc2;
  misc2.Add(Read("3E 02 12 00 B6 06 00 00 00 00 40 00 00 00 00 00 00 00 00 00 00 00"));
  TSheetSettings sheet = TSheetSettings::ForWorksheet(misc1, misc2);
  sheet.LinkSettingRecords();
  sheet.SetSheetZoom(150);
  EXPECT_EQ(misc2.Count(), 1u);
  EXPECT_EQ(sheet.SheetZoom(), 100);
}

TEST(SettingRecords, SclZoomRoundsHalvesToEvenAndTreatsDenominatorZeroAs100) {
  struct TCase {
    const char* Body;
    int Zoom;
  } cases[] = {
      {"03 00 02 00", 150}, {"05 00 00 00", 100}, {"01 00 03 00", 33}, {"02 00 03 00", 67},
      {"01 00 08 00", 12},  {"03 00 08 00", 38},  {"4B 00 64 00", 75}, {"FF FF 01 00", 6553500},
  };
  for (const TCase& c : cases) {
    auto record = Read<TSCLRecord>(std::string("A0 00 04 00 ") + c.Body);
    EXPECT_EQ(record->Zoom(), c.Zoom) << c.Body;
  }
}

TEST(SheetSettings, PrintScaleMakesPrinterSettingsValidAndShowsTheStoredFields) {
  TTemplateWorkbook book;
  book.Settings.SetPrintScale(70);
  EXPECT_EQ(book.Settings.PrintScale(), 70);
  EXPECT_EQ(book.Settings.PrintOptions() & TSetupRecord::kPrinterSettingsNotValid, 0);
  // Now the template's own fields show: paper 0, copies 0, resolutions 0.
  EXPECT_EQ(book.Settings.PrintCopies(), 0);
  EXPECT_EQ(HexOf(Written(*book.Settings.Setup())),
            "A1 00 22 00 00 00 46 00 01 00 01 00 01 00 00 00 00 00 00 00 00 00 00 00 00 00 E0 3F "
            "00 00 00 00 00 00 E0 3F 00 00");

  book.Settings.SetPrintYResolution(300);
  book.Settings.SetPrintXResolution(600);
  EXPECT_EQ(book.Settings.PrintYResolution(), 300);
  EXPECT_EQ(book.Settings.PrintXResolution(), 600);
}

TEST(SettingRecords, EachPrinterFieldWriteValidatesTheOthers) {
  // Scale 255, paper 9, copies 2, resolutions 300 and 200, but flagged as not valid.
  const char* kSetup =
      "A1 00 22 00 09 00 FF 00 01 00 01 00 01 00 04 00 2C 01 C8 00 "
      "00 00 00 00 00 00 E0 3F 00 00 00 00 00 00 E0 3F 02 00";
  struct TFields {
    int Scale, Paper, Copies, X, Y;
    bool operator==(const TFields&) const = default;
  };
  auto fields = [](const TSetupRecord& ASetup) {
    return TFields{ASetup.Scale(), ASetup.PrintPaperSize(), ASetup.PrintCopies(),
                   ASetup.PrintXResolution(), ASetup.PrintYResolution()};
  };
  using TSetter = void (TSetupRecord::*)(std::uint16_t);
  struct TCase {
    TSetter Setter;
    TFields After;
  } cases[] = {
      {&TSetupRecord::SetScale, {7, 9, 2, 300, 200}},
      {&TSetupRecord::SetPrintPaperSize, {255, 7, 2, 300, 200}},
      {&TSetupRecord::SetPrintCopies, {255, 9, 7, 300, 200}},
      {&TSetupRecord::SetPrintXResolution, {255, 9, 2, 7, 200}},
      {&TSetupRecord::SetPrintYResolution, {255, 9, 2, 300, 7}},
  };
  for (const TCase& c : cases) {
    auto setup = Read<TSetupRecord>(kSetup);
    EXPECT_EQ(fields(*setup), (TFields{100, 0, 1, 100, 100}));
    (setup.get()->*c.Setter)(7);
    EXPECT_EQ(setup->PrintOptions(), 0);
    EXPECT_EQ(fields(*setup), c.After);
  }
}

TEST(SheetSettings, PrintOptionsKeepOnlyTheirLowByte) {
  TTemplateWorkbook book;
  TSheetSettings& s = book.Settings;
  // What the export does for a portrait page: settings valid, bit 1 set.
  s.SetPrintOptions((s.PrintOptions() & ~4) | 2);
  EXPECT_EQ(s.PrintOptions(), 0x0002);
  s.SetPrintOptions(s.PrintOptions() & ~2);  // landscape
  EXPECT_EQ(s.PrintOptions(), 0);
  s.SetPrintOptions(0xFF46);
  EXPECT_EQ(s.PrintOptions(), 0x0046);
  EXPECT_EQ(s.Setup()->GetWord(10), 0x0046);
}

TEST(SheetSettings, PrintValuesOutside16BitsAreRefusedWithTheirPropertyName) {
  TTemplateWorkbook book;
  TSheetSettings& s = book.Settings;
  const TSetupRec before = s.Setup()->Value();
  using TSetter = void (TSheetSettings::*)(int);
  struct TCase {
    TSetter Setter;
    const char* Name;
  } cases[] = {
      {&TSheetSettings::SetPrintScale, "PrintScale"},
      {&TSheetSettings::SetPrintPaperSize, "PrintPaperSize"},
      {&TSheetSettings::SetPrintCopies, "PrintCopies"},
      {&TSheetSettings::SetPrintXResolution, "PrintXResolution"},
      {&TSheetSettings::SetPrintYResolution, "PrintYResolution"},
      {&TSheetSettings::SetPrintNumberOfHorizontalPages, "PrintNumberOfHorizontalPages"},
      {&TSheetSettings::SetPrintNumberOfVerticalPages, "PrintNumberOfVerticalPages"},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(RaisedMessage([&] { (s.*c.Setter)(65536); }),
              std::string("The index \"65536\" of the property \"") + c.Name +
                  "\" is not in the range 0-65535");
    EXPECT_EQ(RaisedMessage([&] { (s.*c.Setter)(-1); }),
              std::string("The index \"-1\" of the property \"") + c.Name +
                  "\" is not in the range 0-65535");
  }
  EXPECT_EQ(s.Setup()->Value(), before);
  s.SetPrintNumberOfHorizontalPages(2);
  s.SetPrintNumberOfVerticalPages(65535);
  EXPECT_EQ(s.PrintNumberOfHorizontalPages(), 2);
  EXPECT_EQ(s.PrintNumberOfVerticalPages(), 65535);
}

TEST(SettingRecords, WholeSetupAndMarginValuesNeedTheirExactBodySize) {
  auto shortSetup = Read<TSetupRecord>(
      "A1 00 1E 00 00 00 FF 00 01 00 01 00 01 00 04 00 00 00 00 00 00 00 00 00 00 00 E0 3F 00 00 "
      "00 00 00 00");
  const auto before = Written(*shortSetup);
  EXPECT_EQ(RaisedMessage([&] { shortSetup->SetValue(TSetupRec{}); }), "Error in Setup Record");
  EXPECT_EQ(Written(*shortSetup), before);

  auto shortMargin = Read<TMarginRecord>("26 00 04 00 00 00 F0 3F");
  EXPECT_EQ(RaisedMessage([&] { shortMargin->SetValue(1); }), "Error in Margin Record");
  EXPECT_EQ(HexOf(Written(*shortMargin)), "26 00 04 00 00 00 F0 3F");
  // Reading the missing bytes is refused too, rather than read past the body.
  EXPECT_EQ(RaisedMessage([&] { shortMargin->Value(); }),
            "Error reading Excel records. File invalid");

  auto setup = Read<TSetupRecord>(
      "A1 00 22 00 00 00 FF 00 01 00 01 00 01 00 04 00 00 00 00 00 00 00 00 00 00 00 E0 3F 00 00 "
      "00 00 00 00 E0 3F 00 00");
  TSetupRec value{9, 80, 2, 3, 4, 0x0002, 600, 300, 0.25, 0.75, 2};
  setup->SetValue(value);
  EXPECT_EQ(setup->Value(), value);
  EXPECT_EQ(HexOf(Written(*setup)),
            "A1 00 22 00 09 00 50 00 02 00 03 00 04 00 02 00 58 02 2C 01 00 00 00 00 00 00 D0 3F "
            "00 00 00 00 00 00 E8 3F 02 00");
}

TEST(SheetSettings, FitToPageChangesOnlyItsBit) {
  TTemplateWorkbook book;
  book.Settings.SetPrintToFit(false);
  EXPECT_EQ(book.Settings.WSBool()->Value(), 0x04C1);
  book.Settings.SetPrintToFit(true);
  EXPECT_EQ(book.Settings.WSBool()->Value(), 0x05C1);
  EXPECT_TRUE(book.Settings.PrintToFit());
  book.Settings.SetOutlineSummaryRowsBelowDetail(false);
  book.Settings.SetOutlineSummaryColsRightOfDetail(false);
  book.Settings.SetOutlineAutomaticStyles(true);
  EXPECT_EQ(book.Settings.WSBool()->Value(), 0x0521);
}

TEST(SheetSettings, MarginsGoBetweenVCenterAndSetupAndAreThenChangedInPlace) {
  TTemplateWorkbook book;
  const std::int64_t size = book.Misc1.TotalSize();
  const TXlsMargins margins{
      .Left = 1, .Top = 2, .Right = 0.5, .Bottom = 0.25, .Header = 0.125, .Footer = 0.375};
  book.Settings.SetMargins(margins);
  std::vector<std::uint16_t> expected = kTemplateMisc1;
  expected.insert(expected.begin() + 16,
                  {rid::LeftMargin, rid::RightMargin, rid::TopMargin, rid::BottomMargin});
  ASSERT_EQ(Ids(book.Misc1), expected);
  EXPECT_EQ(HexOf(Written(*book.Misc1[16])), "26 00 08 00 00 00 00 00 00 00 F0 3F");
  EXPECT_EQ(HexOf(Written(*book.Misc1[17])), "27 00 08 00 00 00 00 00 00 00 E0 3F");
  EXPECT_EQ(book.Misc1.TotalSize(), size + 4 * 12);
  ExpectSizeKept(book.Misc1);
  EXPECT_EQ(book.Settings.Margins(), margins);

  book.Settings.SetMargins({3, 3, 3, 3, 3, 3});
  EXPECT_EQ(Ids(book.Misc1), expected);
  EXPECT_EQ(book.Settings.Margins(), (TXlsMargins{3, 3, 3, 3, 3, 3}));
  EXPECT_EQ(book.Settings.Setup()->HeaderMargin(), 3);
}

TEST(SheetSettings, NewMarginsFollowTheLastPageRecordOrGoLast) {
  struct TCase {
    std::vector<std::string> Records;
    std::vector<std::uint16_t> Ids;
  } cases[] = {
      // DEFAULTROWHEIGHT, WSBOOL: after DEFAULTROWHEIGHT.
      {{"25 02 04 00 00 00 FF 00", "81 00 02 00 C1 04"},
       {rid::DefaultRowHeight, rid::LeftMargin, rid::RightMargin, rid::TopMargin, rid::BottomMargin,
        rid::WsBool}},
      // A TOPMARGIN already there: the others follow it.
      {{"28 00 08 00 00 00 00 00 00 00 F0 3F", "81 00 02 00 C1 04"},
       {rid::TopMargin, rid::LeftMargin, rid::RightMargin, rid::BottomMargin, rid::WsBool}},
      // None of them: at the end.
      {{"81 00 02 00 C1 04"},
       {rid::WsBool, rid::LeftMargin, rid::RightMargin, rid::TopMargin, rid::BottomMargin}},
  };
  for (const TCase& c : cases) {
    biff::TBaseRecordList records;
    TSheetSettings s = TSheetSettings::ForChart(records);
    for (const std::string& hex : c.Records) records.Add(Read(hex));
    s.LinkSettingRecords();
    s.SetMargins({1, 1, 1, 1, 0, 0});
    EXPECT_EQ(Ids(records), c.Ids) << c.Records.front();
    EXPECT_EQ(s.Margins(), (TXlsMargins{1, 1, 1, 1, 0, 0}));
  }
}

TEST(SheetSettings, FreezingAddsAPaneAfterWindow2AndUnfreezingRemovesIt) {
  TTemplateWorkbook book;
  TSheetSettings& s = book.Settings;
  const auto original = Written(book.Misc2);
  s.FreezePanes(1, 0);
  ASSERT_EQ(Ids(book.Misc2), (std::vector<std::uint16_t>{rid::Window2, rid::Pane, 0x001D, 0x00EF}));
  EXPECT_EQ(HexOf(Written(*book.Misc2[0])),
            "3E 02 12 00 BE 07 00 00 00 00 40 00 00 00 00 00 00 00 00 00 00 00");
  // column split 0, row split 1, first visible row 1, first visible column 1, pane 2
  EXPECT_EQ(HexOf(Written(*book.Misc2[1])), "41 00 0A 00 00 00 01 00 01 00 01 00 02 00");
  ExpectSizeKept(book.Misc2);
  int row = 0, col = 0;
  s.GetFrozenPanes(row, col);
  EXPECT_EQ(row, 1);
  EXPECT_EQ(col, 0);
  s.GetSplitWindow(row, col);
  EXPECT_EQ(row, 0);
  EXPECT_EQ(col, 0);

  s.FreezePanes(0, 0);
  EXPECT_EQ(s.Pane(), nullptr);
  EXPECT_EQ(Written(book.Misc2), original);
  ExpectSizeKept(book.Misc2);

  s.FreezePanes(2, 0);
  EXPECT_EQ(HexOf(Written(*s.Pane())), "41 00 0A 00 00 00 02 00 02 00 01 00 02 00");
  s.FreezePanes(2, 3);
  EXPECT_EQ(book.Misc2.Count(), 4u);
  EXPECT_EQ(HexOf(Written(*s.Pane())), "41 00 0A 00 03 00 02 00 02 00 03 00 02 00");
  s.GetFrozenPanes(row, col);
  EXPECT_EQ(row, 2);
  EXPECT_EQ(col, 3);
}

TEST(SheetSettings, PaneFollowsAZoomRecordAndBadCountsAreHandled) {
  TTemplateWorkbook book;
  TSheetSettings& s = book.Settings;
  s.SetSheetZoom(120);
  s.FreezePanes(2, -1);  // a negative count freezes nothing in that direction
  ASSERT_EQ(Ids(book.Misc2),
            (std::vector<std::uint16_t>{rid::Window2, rid::Scl, rid::Pane, 0x001D, 0x00EF}));
  EXPECT_EQ(HexOf(Written(*s.Pane())), "41 00 0A 00 00 00 02 00 02 00 01 00 02 00");
  EXPECT_EQ(RaisedMessage([&] { s.FreezePanes(65536, 0); }),
            "The index \"65536\" of the property \"FreezePanes\" is not in the range 0-65535");
  s.FreezePanes(-1, -1);
  EXPECT_EQ(s.Pane(), nullptr);
  EXPECT_EQ(book.Misc2.Count(), 4u);
}

TEST(SheetSettings, SplittingUnfreezesAndReportsTheOffsets) {
  TTemplateWorkbook book;
  TSheetSettings& s = book.Settings;
  s.FreezePanes(3, 2);
  s.SplitWindow(1200, 0);
  EXPECT_FALSE(s.Window2()->IsFrozen());
  EXPECT_FALSE(s.Window2()->IsFrozenButNoSplit());
  // The pane of the frozen window stays, active pane moved to the top-right one.
  EXPECT_EQ(HexOf(Written(*s.Pane())), "41 00 0A 00 B0 04 00 00 03 00 02 00 01 00");
  int x = 0, y = 0;
  s.GetSplitWindow(x, y);
  EXPECT_EQ(x, 1200);
  EXPECT_EQ(y, 0);
  s.GetFrozenPanes(x, y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);

  s.SplitWindow(0, 0);
  EXPECT_EQ(s.Pane(), nullptr);
  s.SplitWindow(0, 900);
  EXPECT_EQ(HexOf(Written(*s.Pane())), "41 00 0A 00 00 00 84 03 01 00 01 00 02 00");
}

TEST(SettingRecords, ActivePaneMovesOntoAPaneThatExists) {
  struct TCase {
    std::uint16_t Pane, ColSplit, RowSplit, Expected;
  } cases[] = {
      {0, 1, 1, 0}, {0, 1, 0, 1}, {0, 0, 1, 2}, {0, 0, 0, 3}, {1, 1, 0, 1},
      {1, 0, 1, 3}, {2, 0, 1, 2}, {2, 1, 0, 3}, {3, 0, 0, 3}, {3, 1, 1, 3},
  };
  for (const TCase& c : cases) {
    auto pane = TPaneRecord::CreateNew();
    pane->SetActivePane(c.Pane);
    pane->SetColSplit(c.ColSplit);
    pane->SetRowSplit(c.RowSplit);
    pane->EnsureSelectedVisible();
    EXPECT_EQ(pane->ActivePane(), c.Expected) << c.Pane << " " << c.ColSplit << " " << c.RowSplit;
  }
}

class TLevels final : public TOutlineLevelSource {
 public:
  TLevels(int ARow, int ACol) : FRow(ARow), FCol(ACol) {}
  int MaxRowOutlineLevel() const override { return FRow; }
  int MaxColOutlineLevel() const override { return FCol; }

 private:
  int FRow;
  int FCol;
};

TEST(SheetSettings, GutsTakesTheOutlineLevelsAtTheSaveAfterAChange) {
  TTemplateWorkbook book;
  TSheetSettings& s = book.Settings;
  s.RecalcGuts(TLevels(2, 0));  // nothing changed the outline
  EXPECT_EQ(HexOf(Written(*s.Guts())), "80 00 08 00 00 00 00 00 00 00 00 00");
  s.EnsureGutsForOutline();  // row 5 gets level 2
  EXPECT_EQ(book.Misc1.Count(), kTemplateMisc1.size());
  s.RecalcGuts(TLevels(2, 0));
  EXPECT_EQ(HexOf(Written(*s.Guts())), "80 00 08 00 35 00 00 00 03 00 00 00");
  EXPECT_FALSE(s.Guts()->RecalcNeeded);
  s.RecalcGuts(TLevels(5, 5));
  EXPECT_EQ(HexOf(Written(*s.Guts())), "80 00 08 00 35 00 00 00 03 00 00 00");
}

TEST(SheetSettings, ANewGutsGoesBeforeDefaultRowHeightOrLast) {
  for (bool withRowHeight : {true, false}) {
    biff::TBaseRecordList misc1;
    biff::TBaseRecordList misc2;
    TSheetSettings s = TSheetSettings::ForWorksheet(misc1, misc2);
    misc1.Add(Read("2B 00 02 00 00 00"));
    if (withRowHeight) misc1.Add(Read("25 02 04 00 00 00 FF 00"));
    misc1.Add(Read("81 00 02 00 C1 04"));
    s.EnsureGutsForOutline();
    EXPECT_EQ(misc1[withRowHeight ? 1 : 2], s.Guts());
    EXPECT_TRUE(s.Guts()->RecalcNeeded);
    auto copy = s.Guts()->DoCopyTo();
    EXPECT_TRUE(dynamic_cast<TGutsRecord&>(*copy).RecalcNeeded);
    s.RecalcGuts(TLevels(0, 3));
    EXPECT_EQ(HexOf(Written(*s.Guts())), "80 00 08 00 00 00 41 00 00 00 04 00");
    ExpectSizeKept(misc1);
  }
}

TEST(SettingRecords, GutterSizesPerOutlineLevel) {
  struct TCase {
    int Level;
    const char* Row;
    const char* Col;
  } cases[] = {
      {-3, "80 00 08 00 00 00 00 00 00 00 00 00", "80 00 08 00 00 00 00 00 00 00 00 00"},
      {0, "80 00 08 00 00 00 00 00 00 00 00 00", "80 00 08 00 00 00 00 00 00 00 00 00"},
      {1, "80 00 08 00 29 00 00 00 02 00 00 00", "80 00 08 00 00 00 29 00 00 00 02 00"},
      {7, "80 00 08 00 71 00 00 00 08 00 00 00", "80 00 08 00 00 00 71 00 00 00 08 00"},
      {8, "80 00 08 00 71 00 00 00 08 00 00 00", "80 00 08 00 00 00 71 00 00 00 08 00"},
      {40, "80 00 08 00 71 00 00 00 08 00 00 00", "80 00 08 00 00 00 71 00 00 00 08 00"},
  };
  for (const TCase& c : cases) {
    auto row = TGutsRecord::CreateNew();
    row->SetRowLevel(c.Level);
    EXPECT_EQ(HexOf(Written(*row)), c.Row) << c.Level;
    auto col = TGutsRecord::CreateNew();
    col->SetColLevel(c.Level);
    EXPECT_EQ(HexOf(Written(*col)), c.Col) << c.Level;
  }
}

TEST(SheetSettings, PrinterSettingsGoBeforeSetupAndValidateIt) {
  TTemplateWorkbook book;
  TSheetSettings& s = book.Settings;
  const TPrinterDriverSettings settings{0, {0x41, 0x42, 0x43}};
  s.SetPrinterDriverSettings(settings);
  std::vector<std::uint16_t> expected = kTemplateMisc1;
  expected.insert(expected.begin() + 16, rid::Pls);
  ASSERT_EQ(Ids(book.Misc1), expected);
  EXPECT_EQ(HexOf(Written(*book.Misc1[16])), "4D 00 05 00 00 00 41 42 43");
  EXPECT_EQ(s.PrintOptions(), 0);
  EXPECT_EQ(s.PrinterDriverSettings(), settings);

  const TPrinterDriverSettings other{1, {7}};
  s.SetPrinterDriverSettings(other);
  EXPECT_EQ(Ids(book.Misc1), expected);
  EXPECT_EQ(s.PrinterDriverSettings(), other);
  ExpectSizeKept(book.Misc1);

  s.SetPrinterDriverSettings({5, {}});
  EXPECT_EQ(Ids(book.Misc1), kTemplateMisc1);
  EXPECT_EQ(s.PrinterDriverSettingsRecord(), nullptr);
  EXPECT_EQ(s.PrinterDriverSettings(), TPrinterDriverSettings());
  ExpectSizeKept(book.Misc1);
}

TEST(SheetSettings, LongPrinterSettingsGoOnInContinueRecordsAndReadBackWhole) {
  biff::TBaseRecordList records;
  TSheetSettings s = TSheetSettings::ForUnsupportedSheet(records);
  TPrinterDriverSettings settings{0, std::vector<std::uint8_t>(20000)};
  for (std::size_t i = 0; i < settings.Data.size(); ++i)
    settings.Data[i] = static_cast<std::uint8_t>(i * 7);
  s.SetPrinterDriverSettings(settings);  // no SETUP: at the end
  ASSERT_EQ(records.Count(), 1u);
  const auto bytes = Written(records);
  // PLS of 8224 bytes, then CONTINUE records of 8224 and 3554.
  EXPECT_EQ(bytes.size(), 3 * 4 + 2 + settings.Data.size());
  ExpectSizeKept(records);
  EXPECT_EQ(HexOf({bytes.begin() + 8228, bytes.begin() + 8232}), "3C 00 20 20");
  EXPECT_EQ(HexOf({bytes.begin() + 16456, bytes.begin() + 16460}), "3C 00 E2 0D");
  auto reread = Take<TPlsRecord>(std::move(testing_support::ReadAllRecords(bytes).at(0)));
  EXPECT_EQ(reread->PrinterData(), settings);
}

TEST(SheetSettings, HeaderAndFooterTextsRebuildTheirBodiesAndKeepTheListSize) {
  TTemplateWorkbook book;
  TSheetSettings& s = book.Settings;
  s.SetPageHeader(u"&CPage &P");
  EXPECT_EQ(HexOf(Written(*s.PageHeaderRecord())),
            "14 00 0C 00 09 00 00 26 43 50 61 67 65 20 26 50");
  s.SetPageFooter(u"\u0421\u0442\u0440");
  EXPECT_EQ(HexOf(Written(*s.PageFooterRecord())), "15 00 09 00 03 00 01 21 04 42 04 40 04");
  ExpectSizeKept(book.Misc1);
  EXPECT_EQ(s.PageHeader(), u"&CPage &P");
  EXPECT_EQ(s.PageFooter(), u"\u0421\u0442\u0440");
  s.SetPageHeader(u"");
  EXPECT_EQ(HexOf(Written(*s.PageHeaderRecord())), "14 00 03 00 00 00 00");
  EXPECT_EQ(s.PageHeader(), u"");
  ExpectSizeKept(book.Misc1);
}

TEST(SettingRecords, SimpleFlagRecords) {
  auto grid = Read<TPrintGridLinesRecord>("2B 00 02 00 00 00");
  grid->SetValue(true);
  EXPECT_EQ(HexOf(Written(*grid)), "2B 00 02 00 01 00");
  auto refMode = Read<TRefModeRecord>("0F 00 02 00 01 00");
  EXPECT_FALSE(refMode->IsR1C1());
  refMode->SetIsR1C1(true);
  EXPECT_EQ(HexOf(Written(*refMode)), "0F 00 02 00 00 00");
  auto center = Read<TPrintCenteredRecord>("84 00 02 00 00 00");
  center->SetCentered(true);
  EXPECT_EQ(HexOf(Written(*center)), "84 00 02 00 01 00");
  auto window2 =
      Read<TWindow2Record>("3E 02 12 00 B6 06 00 00 00 00 40 00 00 00 00 00 00 00 00 00 00 00");
  window2->SetSelected(false);
  window2->SetShowGridLines(false);
  EXPECT_EQ(window2->GetWord(0), 0x00B4);
  window2->SetSelected(true);
  EXPECT_EQ(window2->GetWord(0), 0x06B4);
  EXPECT_EQ(Read<TDefRowHeightRecord>("25 02 04 00 00 00 FF 00")->Height(), 255);
  EXPECT_EQ(Read<TStandardWidthRecord>("99 00 02 00 00 09")->Width(), 2304);
  EXPECT_EQ(Read<TAutoFilterInfoRecord>("9D 00 02 00 03 00")->DropDownCount(), 3);
}

TEST(SettingRecords, Window1AndDefColWidthCorrectTheirValuesWhenWritten) {
  auto window1 =
      Read<TWindow1Record>("3D 00 12 00 68 01 F0 00 00 00 00 00 38 00 00 00 00 00 01 00 58 02");
  EXPECT_EQ(HexOf(Written(*window1)),
            "3D 00 12 00 68 01 F0 00 01 00 01 00 38 00 00 00 00 00 01 00 58 02");
  EXPECT_EQ(window1->GetWord(4), 1);

  struct TCase {
    const char* Read;
    const char* Written;
  } widths[] = {
      {"55 00 02 00 2C 01", "55 00 02 00 FF 00"},
      {"55 00 02 00 00 01", "55 00 02 00 FF 00"},
      {"55 00 02 00 FF 00", "55 00 02 00 FF 00"},
      {"55 00 02 00 08 00", "55 00 02 00 08 00"},
  };
  for (const TCase& c : widths) {
    auto width = Read<TDefColWidthRecord>(c.Read);
    EXPECT_EQ(HexOf(Written(*width)), c.Written);
  }
  // A body too short to hold the value is written as it is.
  EXPECT_EQ(HexOf(Written(*Read<TDefColWidthRecord>("55 00 01 00 2C"))), "55 00 01 00 2C");
}

TEST(WorkbookSettings, TemplateGlobalsFlags) {
  TTemplateWorkbook book;
  TWorkbookSettings& w = book.Workbook;
  EXPECT_FALSE(w.Is1904());
  EXPECT_FALSE(w.PrecisionAsDisplayed());
  EXPECT_TRUE(w.SaveExternalLinkValues());
  EXPECT_EQ(w.ActiveSheet(), 0);
  w.SetPrecisionAsDisplayed(true);
  EXPECT_EQ(HexOf(Written(*w.Precision())), "0E 00 02 00 00 00");
  w.SetIs1904(true);
  EXPECT_EQ(HexOf(Written(*w.Date1904())), "22 00 02 00 01 00");
  w.SetSaveExternalLinkValues(false);
  EXPECT_EQ(HexOf(Written(*w.BookBool())), "DA 00 02 00 01 00");
  EXPECT_TRUE(w.Is1904());
  EXPECT_TRUE(w.PrecisionAsDisplayed());
  EXPECT_FALSE(w.SaveExternalLinkValues());
}

TEST(WorkbookSettings, ActiveSheetResetsTheTabsAndFirstVisibleIsSetAlone) {
  TTemplateWorkbook book;
  TWorkbookSettings& w = book.Workbook;
  w.Window1()->SetWord(14, 3);
  w.SetFirstSheetVisible(2);
  EXPECT_EQ(w.Window1()->FirstSheetVisible(), 2);
  w.SetActiveSheet(1);
  EXPECT_EQ(HexOf(Written(*w.Window1())),
            "3D 00 12 00 68 01 F0 00 5C 3A BE 23 38 00 01 00 00 00 01 00 58 02");
  EXPECT_EQ(w.ActiveSheet(), 1);

  TWorkbookSettings none;
  none.SetActiveSheet(3);
  none.SetIs1904(true);
  EXPECT_EQ(none.ActiveSheet(), 0);
  EXPECT_FALSE(none.Is1904());
  EXPECT_FALSE(none.PrecisionAsDisplayed());
  EXPECT_FALSE(none.SaveExternalLinkValues());
}

}  // namespace
