// Fuzz target: arbitrary bytes read as a workbook stream of records with the workbook's factory.
// Invariants, for whatever the reader accepts:
// - every record writes exactly the bytes it was read from (the dropped kinds write nothing),
//   except that WINDOW1 and DEFCOLWIDTH correct out-of-range values: they write as many bytes,
//   and the same bytes again when written a second time;
// - the strings of an SST record load into a table that writes exactly the size it reports
//   and reads back as the same strings;
// - a cell format decoded from an XF and written again decodes the same from the second round on.
// The first byte picks whether four zero bytes end the input (so every record ends in a real
// header) or the input ends as it is (so the last records meet the end of the stream).
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "base/exception.h"
#include "engine/biff/record_ids.h"
#include "engine/biff/record_lists.h"
#include "engine/biff/record_reader.h"
#include "engine/records/format_lists.h"
#include "engine/records/setting_records.h"
#include "engine/strings/string_records.h"
#include "engine/workbook/workbook_records.h"

namespace {

using namespace engine;

void Check(bool ACondition) {
  if (!ACondition) std::abort();
}

std::vector<std::uint8_t> Written(biff::TBaseRecord& ARecord) {
  biff::TMemoryRecordSink sink;
  biff::SaveRecordChecked(ARecord, sink);
  return sink.Bytes();
}

std::vector<std::u16string> Strings(strings::TSST& ATable) {
  std::vector<std::u16string> values;
  for (std::size_t i = 0; i < ATable.Count(); ++i)
    values.push_back(ATable.EntryString(ATable.EntryAt(i)));
  return values;
}

void CheckTable(const strings::TSSTRecord& ARecord) {
  strings::TSST table;
  table.Load(ARecord);
  for (std::size_t i = 0; i < table.Count(); ++i) table.AddRef(table.EntryAt(i));
  table.Sort();
  biff::TMemoryRecordSink sink;
  std::int64_t size = table.TotalSize();
  table.SaveToStream(sink);
  Check(static_cast<std::int64_t>(sink.Bytes().size()) == size);
  std::vector<std::uint8_t> bytes = sink.Bytes();
  bytes.insert(bytes.end(), 4, 0);
  biff::TMemoryRecordSource source(bytes);
  biff::TRecordReader reader(source, workbook::WorkbookRecordFactory());
  biff::TRecordHeader header = reader.ReadHeader();
  auto again = biff::ReadRecord(reader, header);
  strings::TSST reread;
  reread.Load(dynamic_cast<strings::TSSTRecord&>(*again));
  Check(Strings(reread) == Strings(table));
}

void CheckFormat(const records::TXFRecord& AXF, const records::TFontRecordList& AFonts,
                 records::TFormatRecordList& AFormats) {
  records::TFontRecordList fonts;
  fonts.CopyFrom(AFonts);
  records::TTabrixFormat first = AXF.TabrixFormat(fonts, AFormats);
  auto second =
      records::TXFRecord::CreateFromFormat(first, fonts, AFormats)->TabrixFormat(fonts, AFormats);
  auto third =
      records::TXFRecord::CreateFromFormat(second, fonts, AFormats)->TabrixFormat(fonts, AFormats);
  Check(third == second);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize) {
  if (ASize < 1) return 0;
  std::vector<std::uint8_t> input(AData + 1, AData + ASize);
  const bool padded = AData[0] & 1;
  if (padded) input.insert(input.end(), 4, 0);

  static const base::TXlsLocaleSettings settings;
  records::TFontRecordList fonts;
  records::TFormatRecordList formats(settings);
  biff::TMemoryRecordSource source(input);
  biff::TRecordReader reader(source, workbook::WorkbookRecordFactory());
  try {
    if (source.NextEof(3)) return 0;
    biff::TRecordHeader header = reader.ReadHeader();
    std::size_t start = 0;  // where the record of the header in hand begins
    // A header not read from the input stands for its last three bytes or fewer: the end.
    while (header.Id != 0 && static_cast<std::size_t>(source.Position()) == start + 4) {
      std::unique_ptr<biff::TBaseRecord> record = biff::ReadRecord(reader, header);
      std::vector<std::uint8_t> written = Written(*record);
      const bool dropped = dynamic_cast<biff::TIgnoreRecord*>(record.get()) != nullptr;
      const auto consumed = static_cast<std::size_t>(
          dropped ? record->biff::TBaseRecord::TotalSize() : record->TotalSize());
      const bool corrects = dynamic_cast<records::TWindow1Record*>(record.get()) ||
                            dynamic_cast<records::TDefColWidthRecord*>(record.get());
      if (!dropped) {
        Check(written.size() == consumed && start + consumed <= input.size());
        if (corrects)
          Check(Written(*record) == written);
        else
          Check(std::equal(written.begin(), written.end(),
                           input.begin() + static_cast<std::ptrdiff_t>(start)));
      }
      start += consumed;
      if (auto* table = dynamic_cast<strings::TSSTRecord*>(record.get())) CheckTable(*table);
      if (auto* font = dynamic_cast<records::TFontRecord*>(record.get());
          font && fonts.Count() < 64) {
        record.release();
        fonts.Add(std::unique_ptr<records::TFontRecord>(font));
      } else if (auto* format = dynamic_cast<records::TFormatRecord*>(record.get());
                 format && formats.Count() < 64) {
        record.release();
        formats.Add(std::unique_ptr<records::TFormatRecord>(format));
      } else if (auto* xf = dynamic_cast<records::TXFRecord*>(record.get())) {
        CheckFormat(*xf, fonts, formats);
      }
    }
  } catch (const base::Exception&) {
  }
  return 0;
}
