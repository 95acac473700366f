// The record layer, the shared string table and the format lookups at the size of a large
// export: 65,535 rows x 20 columns = 1,310,700 cells.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "base/utf.h"
#include "engine/biff/record_ids.h"
#include "engine/biff/record_lists.h"
#include "engine/biff/record_reader.h"
#include "engine/records/cell_records.h"
#include "engine/records/format_operations.h"
#include "engine/strings/string_records.h"
#include "engine/template/empty_workbook.h"
#include "engine/workbook/workbook_records.h"

namespace {

using namespace engine;

constexpr int kRows = 65535;
constexpr int kCols = 20;

// Cell texts as a census sheet has them: a name per row, codes, and many repeated markers.
std::vector<std::u16string> CellTexts() {
  std::vector<std::u16string> texts;
  texts.reserve(static_cast<std::size_t>(kRows) * kCols);
  for (int row = 0; row < kRows; ++row)
    for (int col = 0; col < kCols; ++col) {
      if (col == 0)
        texts.push_back(u"Census Tract " + base::Utf8ToUtf16(std::to_string(row)) +
                        u", Maricopa County");
      else if (col % 4 == 0)
        texts.push_back(u"(X)");
      else
        texts.push_back(base::Utf8ToUtf16(std::to_string(row * 31 + col)));
    }
  return texts;
}

// Text cells for every cell of the sheet, one text each, then the table's size and save.
void FillSharedStrings(benchmark::State& AState, const std::vector<std::u16string>& ATexts) {
  for (auto _ : AState) {
    strings::TSST table;
    std::vector<std::unique_ptr<strings::TLabelSSTRecord>> cells;
    cells.reserve(ATexts.size());
    for (std::size_t i = 0; i < ATexts.size(); ++i) {
      cells.push_back(strings::TLabelSSTRecord::CreateFromData(
          static_cast<std::uint16_t>(i / kCols), static_cast<std::uint16_t>(i % kCols), 15, table));
      cells.back()->SetAsString(ATexts[i]);
    }
    table.FixRefs();
    biff::TMemoryRecordSink sink;
    std::int64_t size = table.TotalSize();
    table.SaveToStream(sink);
    benchmark::DoNotOptimize(size);
    AState.counters["strings"] = static_cast<double>(table.Count());
    AState.counters["sst_bytes"] = static_cast<double>(sink.Bytes().size());
  }
}

void SharedStringsMostlyDistinct(benchmark::State& AState) {
  FillSharedStrings(AState, CellTexts());
}
BENCHMARK(SharedStringsMostlyDistinct)->Unit(benchmark::kMillisecond);

void SharedStringsRepeated(benchmark::State& AState) {
  std::vector<std::u16string> texts;
  for (int cell = 0; cell < kRows * kCols; ++cell)
    texts.push_back(u"Item " + base::Utf8ToUtf16(std::to_string(cell % 1000)));
  FillSharedStrings(AState, texts);
}
BENCHMARK(SharedStringsRepeated)->Unit(benchmark::kMillisecond);

void CellRecordsSave(benchmark::State& AState) {
  for (auto _ : AState) {
    biff::TBaseRecordList list;
    for (int row = 0; row < kRows; ++row)
      for (int col = 0; col < kCols; ++col) {
        auto cell = std::make_unique<records::TNumberRecord>(biff::rid::Number,
                                                             biff::TRecordData::Allocate(14));
        cell->SetRow(static_cast<std::uint16_t>(row));
        cell->SetColumn(static_cast<std::uint16_t>(col));
        list.Add(std::move(cell));
      }
    biff::TMemoryRecordSink sink;
    list.SaveToStream(sink);
    benchmark::DoNotOptimize(sink.Bytes().data());
    AState.counters["bytes"] = static_cast<double>(list.TotalSize());
  }
}
BENCHMARK(CellRecordsSave)->Unit(benchmark::kMillisecond);

void AddFormatPerCell(benchmark::State& AState) {
  const base::TXlsLocaleSettings settings;
  records::TXFRecordList xf;
  records::TFontRecordList fonts;
  records::TFormatRecordList formats(settings);
  auto bytes = tmpl::TemplateWorkbookRecords();
  biff::TMemoryRecordSource source(bytes);
  biff::TRecordReader reader(source, workbook::WorkbookRecordFactory());
  biff::TRecordHeader header = reader.ReadHeader();
  for (;;) {
    auto record = biff::ReadRecord(reader, header);
    if (record->Id() == biff::rid::Eof) break;
    if (auto* r = dynamic_cast<records::TXFRecord*>(record.get())) {
      record.release();
      xf.Add(std::unique_ptr<records::TXFRecord>(r));
    } else if (auto* f = dynamic_cast<records::TFontRecord*>(record.get())) {
      record.release();
      fonts.Add(std::unique_ptr<records::TFontRecord>(f));
    } else if (auto* n = dynamic_cast<records::TFormatRecord*>(record.get())) {
      record.release();
      formats.Add(std::unique_ptr<records::TFormatRecord>(n));
    }
  }
  records::TFormatLists lists{xf, fonts, formats};
  std::vector<records::TTabrixFormat> kinds(5);
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    kinds[i].Font = {u"Tahoma", 160, 32760, {}, records::TTabrixUnderline::fu_None, 0, 0};
    kinds[i].Format = i == 0 ? u"" : i == 1 ? u"0.00%" : u"#,##0";
    kinds[i].HAlignment = static_cast<records::THTabrixAlignment>(i % 3);
    if (i == 4) kinds[i].Font.Style.Include(records::TTabrixFontStyle::flsBold);
  }
  for (auto _ : AState) {
    int sum = 0;
    for (int cell = 0; cell < kRows * kCols; ++cell)
      sum += records::AddFormat(lists, kinds[cell % kinds.size()]);
    benchmark::DoNotOptimize(sum);
  }
  AState.counters["xf"] = static_cast<double>(xf.Count());
}
BENCHMARK(AddFormatPerCell)->Unit(benchmark::kMillisecond);

}  // namespace
