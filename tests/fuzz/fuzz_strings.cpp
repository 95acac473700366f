// Fuzz target: arbitrary bytes read as BIFF8 strings from a record whose body is split into
// CONTINUE records, then written through a shared string table. Invariants, for whatever the
// string reader accepts:
// - a string written as one piece reads back the same (text, runs, options);
// - the table writes exactly the size it reports, and reading its SST back gives every string
//   under the index its cells were given.
// The first byte chooses the character count size (bit 0) and the size of the pieces.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "base/exception.h"
#include "base/little_endian.h"
#include "engine/biff/record_ids.h"
#include "engine/biff/record_reader.h"
#include "engine/strings/string_records.h"
#include "engine/workbook/workbook_records.h"

namespace {

using namespace engine;

void Check(bool ACondition) {
  if (!ACondition) std::abort();
}

// A record of id 0x1234 over ABytes, its body cut into pieces of APiece bytes.
std::unique_ptr<biff::TBaseRecord> SplitRecord(std::span<const std::uint8_t> ABytes,
                                               std::size_t APiece) {
  std::size_t first = std::min(APiece, ABytes.size());
  auto record =
      std::make_unique<biff::TBaseRecord>(0x1234, biff::TRecordData::CopyOf(ABytes.first(first)));
  biff::TBaseRecord* tail = record.get();
  for (std::size_t at = first; at < ABytes.size(); at += APiece) {
    auto part = std::make_unique<biff::TContinueRecord>(
        biff::rid::Continue,
        biff::TRecordData::CopyOf(ABytes.subspan(at, std::min(APiece, ABytes.size() - at))));
    biff::TContinueRecord* added = part.get();
    tail->AddContinue(std::move(part));
    tail = added;
  }
  return record;
}

void CheckOnePiece(const strings::TExcelString& AString, int AStrLenLength) {
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(AString.TotalSize()));
  AString.CopyToPtr(bytes, 0);
  biff::TBaseRecord record(0x1234, biff::TRecordData::CopyOf(bytes));
  biff::TRecordCursor cursor{&record, 0};
  strings::TExcelString again(AStrLenLength, cursor);
  Check(cursor.Offset == bytes.size());
  Check(again.Value() == AString.Value() && again.RTFRuns() == AString.RTFRuns());
  Check(again.OptionFlags() == AString.OptionFlags());
}

void CheckTable(strings::TSST& ATable, const std::vector<strings::TSST::TEntry>& AEntries,
                const std::vector<strings::TRichString>& ATexts) {
  ATable.FixRefs();
  biff::TMemoryRecordSink sink;
  std::int64_t size = ATable.TotalSize();
  ATable.SaveToStream(sink);
  Check(static_cast<std::int64_t>(sink.Bytes().size()) == size);
  std::vector<std::uint8_t> bytes = sink.Bytes();
  bytes.insert(bytes.end(), 4, 0);
  biff::TMemoryRecordSource source(bytes);
  biff::TRecordReader reader(source, workbook::WorkbookRecordFactory());
  biff::TRecordHeader header = reader.ReadHeader();
  auto record = biff::ReadRecord(reader, header);
  Check(header.Id == biff::rid::ExtSst);
  strings::TSST reread;
  reread.Load(dynamic_cast<strings::TSSTRecord&>(*record));
  Check(reread.Count() == ATable.Count());
  for (std::size_t i = 0; i < AEntries.size(); ++i)
    Check(reread.EntryRichString(reread.EntryAt(ATable.WrittenIndex(AEntries[i]))) == ATexts[i]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize) {
  if (ASize < 1) return 0;
  const int strLenLength = AData[0] & 1 ? 2 : 1;
  const std::size_t piece = 1 + (AData[0] >> 1);
  std::span<const std::uint8_t> body(AData + 1, ASize - 1);
  strings::TSST table;
  std::vector<strings::TSST::TEntry> entries;
  std::vector<strings::TRichString> texts;
  try {
    auto record = SplitRecord(body, piece);
    biff::TRecordCursor cursor{record.get(), 0};
    for (;;) {
      const biff::TBaseRecord* last = cursor.Record;
      while (last->Continue()) last = last->Continue();
      if (cursor.Record == last && cursor.Offset >= last->DataSize()) break;
      strings::TExcelString text(strLenLength, cursor);
      CheckOnePiece(text, strLenLength);
      texts.push_back({text.Value(), text.RTFRuns()});
      entries.push_back(table.AddString(texts.back().Value, texts.back().RTFRuns));
    }
  } catch (const base::Exception&) {
  }
  // The input itself as 16-bit text.
  std::u16string raw;
  for (std::size_t i = 0; i + 1 < std::min<std::size_t>(ASize, 2 * 0xFFFF); i += 2)
    raw += static_cast<char16_t>(base::LoadLE16(AData + i));
  texts.push_back({raw, {}});
  entries.push_back(table.AddString(raw));
  CheckTable(table, entries, texts);
  return 0;
}
