// Fuzz target: arbitrary bytes read as records, MERGEDCELLS and CONDFMT records (with their CF
// records) loaded into a sheet's range list as the sheet loader hands them over, then one row,
// column or merge operation picked by the input. Invariants, for whatever was accepted:
// - the list writes exactly the bytes it counts, before and after the operation;
// - what it writes reads back into entries equal to the records written (a format of more
//   than 513 ranges comes back as one entry per record), and writes the same bytes again;
// - a merged rectangle overlaps no other merged range inside the sheet once merged.
// Input: byte 0 bit 0 pads the records with four zero bytes; bytes 1..9 the operation; the
// rest the records.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "base/exception.h"
#include "base/little_endian.h"
#include "engine/biff/record_ids.h"
#include "engine/biff/record_reader.h"
#include "engine/formulas/token_walker.h"
#include "engine/records/range_list.h"
#include "engine/workbook/workbook_records.h"

namespace {

using namespace engine;

void Check(bool ACondition) {
  if (!ACondition) std::abort();
}

class TWalkerFormulas final : public records::ICFFormulaArranger {
 public:
  void ArrangeInsertRowsAndCols(std::span<std::uint8_t> ATokens, int ARowPos, int ARowCount,
                                int AColPos, int AColCount,
                                const biff::TSheetInfo& ASheetInfo) const override {
    formulas::ArrangeInsertRowsAndCols(
        ATokens, ARowPos, ARowCount, AColPos, AColCount,
        formulas::TTokenSheets{ASheetInfo.InsSheet, ASheetInfo.FormulaSheet});
  }
};

const TWalkerFormulas kFormulas;
const biff::TSheetInfo kSheet{0, 0};

// Loads range records until another record, the end, or an error.
void LoadRanges(records::TRangeList& AList, std::span<const std::uint8_t> ABytes) {
  biff::TMemoryRecordSource source(ABytes);
  biff::TRecordReader reader(source, workbook::WorkbookRecordFactory());
  if (source.NextEof(3)) return;
  biff::TRecordHeader header = reader.ReadHeader();
  while (header.Id != 0) {
    std::unique_ptr<biff::TBaseRecord> record = biff::ReadRecord(reader, header);
    if (auto* merged = dynamic_cast<records::TCellMergingRecord*>(record.get()))
      AList.LoadMergedCells(reader, header, *merged);
    else if (auto* format = dynamic_cast<records::TCondFmtRecord*>(record.get()))
      AList.LoadCondFmt(reader, header, *format);
    if (record->Id() == biff::rid::Eof) return;
  }
}

std::vector<std::uint8_t> SavedChecked(records::TRangeList& AList) {
  biff::TMemoryRecordSink sink;
  AList.SaveToStream(sink);
  Check(static_cast<std::int64_t>(sink.Bytes().size()) == AList.TotalSize());
  return sink.Bytes();
}

bool SameEntryChunk(const records::TRangeEntry& AEntry, std::size_t AFirst,
                    const records::TRangeEntry& ARead) {
  const records::TRangeValuesList& items = AEntry.RangeValuesList();
  const records::TRangeValuesList& read = ARead.RangeValuesList();
  if (AEntry.RecordId() != ARead.RecordId()) return false;
  const std::size_t count =
      std::min<std::size_t>(records::kMaxRangesPerRecord, items.Count() - AFirst);
  if (read.Count() != count) return false;
  for (std::size_t i = 0; i < count; ++i)
    if (!(items[AFirst + i] == read[i])) return false;
  auto* format = dynamic_cast<const records::TCondFmt*>(&AEntry);
  if (!format) return true;
  auto& readFormat = dynamic_cast<const records::TCondFmt&>(ARead);
  if (format->Flag() != readFormat.Flag() || !(format->AllRange() == readFormat.AllRange()) ||
      format->CFs().Count() != readFormat.CFs().Count())
    return false;
  for (std::size_t i = 0; i < format->CFs().Count(); ++i) {
    auto a = format->CFs()[i]->Data();
    auto b = readFormat.CFs()[i]->Data();
    if (!std::equal(a.begin(), a.end(), b.begin(), b.end())) return false;
  }
  return true;
}

// Saves, reads back, compares entry by entry and saves again.
void CheckRoundTrip(records::TRangeList& AList) {
  std::vector<std::uint8_t> saved = SavedChecked(AList);
  std::vector<std::uint8_t> padded = saved;
  padded.insert(padded.end(), 4, 0);
  records::TRangeList read(kFormulas);
  LoadRanges(read, padded);
  std::size_t next = 0;
  for (std::size_t i = 0; i < AList.Count(); ++i) {
    const records::TRangeEntry& entry = *AList[i];
    for (std::size_t first = 0; first < entry.RangeValuesList().Count();
         first += records::kMaxRangesPerRecord) {
      Check(next < read.Count() && SameEntryChunk(entry, first, *read[next]));
      ++next;
    }
  }
  Check(next == read.Count());
  Check(SavedChecked(read) == saved);
}

records::TExcelRange ItemOf(const biff::TXlsCellRange& ARange) {
  return {static_cast<std::uint16_t>(ARange.Top), static_cast<std::uint16_t>(ARange.Bottom),
          static_cast<std::uint16_t>(ARange.Left), static_cast<std::uint16_t>(ARange.Right)};
}

void Operate(records::TRangeList& AList, std::span<const std::uint8_t> AOp) {
  const int kind = AOp[0] % 6;
  const int a = base::LoadLE16(&AOp[1]);
  const int b = base::LoadLE16(&AOp[3]);
  const int c = base::LoadLE16(&AOp[5]);
  const int d = base::LoadLE16(&AOp[7]) % 300 - 150;
  const bool useCols = AOp[0] & 0x80;
  switch (kind) {
    case 0:
      break;
    case 1:
      AList.ArrangeInsertRowsAndCols(a, d, b % 256, d % 256, kSheet);
      break;
    case 2:
      AList.DeleteRowsOrCols(a, b % 512, kSheet, useCols);
      break;
    case 3:
      AList.InsertAndCopyRowsOrCols(a, a + b % 64, c, d < 0 ? -d : d, kSheet, useCols);
      break;
    case 4: {
      const int col2 = (a ^ c) % 300;
      AList.MergeCells(a, b % 256, c, col2);
      if (!records::IsValidMergeRange(std::min(a, c), std::min(b % 256, col2), std::max(a, c),
                                      std::max(b % 256, col2)))
        break;
      // The merged rectangle is the last range of the last merged-cells entry.
      const int last = AList.CellMergedListCount() - 1;
      const records::TExcelRange merged = ItemOf(AList.CellMergedList(last));
      for (int i = 0; i < last; ++i) {
        const records::TExcelRange other = ItemOf(AList.CellMergedList(i));
        Check(!other.InsideSheet() || !merged.Overlaps(other));
      }
      break;
    }
    case 5:
      AList.UnMergeCells(a, b % 256, c, (a ^ c) % 300);
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize) {
  constexpr std::size_t kHead = 10;
  if (ASize < kHead) return 0;
  std::vector<std::uint8_t> input(AData + kHead, AData + ASize);
  if (AData[0] & 1) input.insert(input.end(), 4, 0);

  records::TRangeList list(kFormulas);
  try {
    LoadRanges(list, input);
  } catch (const base::Exception&) {
  }
  CheckRoundTrip(list);
  try {
    Operate(list, std::span(AData + 1, kHead - 1));
  } catch (const base::Exception&) {
  }
  CheckRoundTrip(list);
  return 0;
}
