// Fuzz target: arbitrary bytes read as the records of a worksheet section, kept as the
// worksheet loader keeps its general records (those before WINDOW2 in the first list, WINDOW2
// and the rest in the second; cells and rows left out) and linked by the typed-reference rule; then
// every setting is read and written. The first two bytes choose the values written. Invariants,
// whatever the records hold (a setting may refuse a malformed body with an engine error):
// - after every operation both lists know the bytes they write (TotalSize = bytes written);
// - every typed reference points at a record of one of the lists;
// - printer settings and header and footer texts read back as they were written.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/exception.h"
#include "engine/biff/record_ids.h"
#include "engine/biff/record_lists.h"
#include "engine/biff/record_reader.h"
#include "engine/records/sheet_settings.h"
#include "engine/workbook/workbook_records.h"

namespace {

using namespace engine;

void Check(bool ACondition) {
  if (!ACondition) std::abort();
}

bool Holds(const biff::TBaseRecordList& AList, const biff::TBaseRecord* ARecord) {
  for (std::size_t i = 0; i < AList.Count(); ++i)
    if (AList[i] == ARecord) return true;
  return false;
}

class TSheet {
 public:
  TSheet() : Settings(records::TSheetSettings::ForWorksheet(Misc1, Misc2)) {}

  void CheckConsistent() {
    for (biff::TBaseRecordList* list : {&Misc1, &Misc2}) {
      biff::TMemoryRecordSink sink;
      list->SaveToStream(sink);
      Check(static_cast<std::int64_t>(sink.Bytes().size()) == list->TotalSize());
    }
    const records::TSheetSettings& s = Settings;
    for (const biff::TBaseRecord* reference : std::initializer_list<const biff::TBaseRecord*>{
             s.Window2(), s.Zoom(), s.PageHeaderRecord(), s.PageFooterRecord(),
             s.PrintGridLinesRecord(), s.LeftMargin(), s.RightMargin(), s.TopMargin(),
             s.BottomMargin(), s.Setup(), s.PrinterDriverSettingsRecord(), s.WSBool(), s.HCenter(),
             s.VCenter(), s.Pane(), s.Guts(), s.RefMode(), s.AutoFilterInfo()})
      Check(!reference || Holds(Misc1, reference) || Holds(Misc2, reference));
  }

  biff::TBaseRecordList Misc1;
  biff::TBaseRecordList Misc2;
  records::TSheetSettings Settings;
};

class TLevels final : public records::TOutlineLevelSource {
 public:
  explicit TLevels(int ALevel) : FLevel(ALevel) {}
  int MaxRowOutlineLevel() const override { return FLevel; }
  int MaxColOutlineLevel() const override { return 7 - FLevel; }

 private:
  int FLevel;
};

// Runs AStep; an engine error (a malformed body refused) ends only that step.
template <class F>
void Step(TSheet& ASheet, F&& AStep) {
  try {
    AStep();
  } catch (const base::Exception&) {
  }
  ASheet.CheckConsistent();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize) {
  if (ASize < 2) return 0;
  const int a = AData[0];
  const int b = AData[1];
  std::vector<std::uint8_t> input(AData + 2, AData + ASize);
  input.insert(input.end(), 4, 0);

  TSheet sheet;
  biff::TMemoryRecordSource source(input);
  biff::TRecordReader reader(source, workbook::WorkbookRecordFactory());
  try {
    biff::TRecordHeader header = reader.ReadHeader();
    bool afterWindow2 = false;
    std::int64_t position = source.Position();
    while (header.Id != 0) {
      std::unique_ptr<biff::TBaseRecord> record = biff::ReadRecord(reader, header);
      // Three bytes or fewer left: the reader stands an end for them and reads nothing more.
      const bool atEnd = source.Position() == position;
      position = source.Position();
      // Cells and rows go to the cell lists, never to the general ones.
      if (!dynamic_cast<biff::TBaseRowColRecord*>(record.get())) {
        afterWindow2 = afterWindow2 || record->Id() == biff::rid::Window2;
        sheet.Settings.LinkRecord(*record);
        (afterWindow2 ? sheet.Misc2 : sheet.Misc1).Add(std::move(record));
      }
      if (atEnd) break;
    }
  } catch (const base::Exception&) {
  }
  sheet.CheckConsistent();

  records::TSheetSettings& s = sheet.Settings;
  Step(sheet, [&] {
    (void)s.Selected(), (void)s.ShowGridLines(), (void)s.PrintGridLines(), (void)s.IsR1C1();
    (void)s.Margins(), (void)s.SheetZoom(), (void)s.PrintToFit(), (void)s.PrintHCentered();
    (void)s.PrintScale(), (void)s.PrintOptions(), (void)s.PrintPaperSize();
    (void)s.PrintCopies(), (void)s.PrintXResolution(), (void)s.PrintYResolution();
    int x = 0, y = 0;
    s.GetFrozenPanes(x, y);
    s.GetSplitWindow(x, y);
  });
  Step(sheet, [&] {
    const std::u16string header = s.PageHeader();
    s.SetPageHeader(header);
    Check(s.PageHeader() == header);
  });
  Step(sheet, [&] {
    const std::u16string footer(static_cast<std::size_t>(a), static_cast<char16_t>(b * 251));
    s.SetPageFooter(footer);
    Check(!s.PageFooterRecord() || s.PageFooter() == footer);
  });
  Step(sheet, [&] { s.SetSheetZoom(a * 3 - 100); });
  Step(sheet, [&] { s.FreezePanes(a - 8, b - 8); });
  Step(sheet, [&] { s.SplitWindow(b * 100 - 1000, a * 100 - 1000); });
  Step(sheet, [&] { s.FreezePanes(0, 0); });
  Step(sheet, [&] { s.SetMargins({a / 16.0, b / 16.0, 1, 2, 0.5, 0.25}); });
  Step(sheet, [&] {
    s.SetPrintScale(a * 300);
    s.SetPrintOptions(b * 257);
    s.SetPrintNumberOfHorizontalPages(a);
    s.SetPrintToFit(b & 1);
  });
  Step(sheet, [&] {
    const records::TPrinterDriverSettings settings = s.PrinterDriverSettings();
    s.SetPrinterDriverSettings(settings);
    // Settings without data are no settings: the environment alone is not kept.
    Check(s.PrinterDriverSettings() ==
          (settings.Data.empty() ? records::TPrinterDriverSettings() : settings));
  });
  Step(sheet, [&] {
    records::TPrinterDriverSettings settings{static_cast<std::uint16_t>(b),
                                             std::vector<std::uint8_t>((a + 1) * 97u, 0x5A)};
    s.SetPrinterDriverSettings(settings);
    Check(s.PrinterDriverSettings() == settings);
  });
  Step(sheet, [&] {
    s.EnsureGutsForOutline();
    s.RecalcGuts(TLevels(a % 9));
  });
  Step(sheet, [&] { s.LinkSettingRecords(); });
  return 0;
}
