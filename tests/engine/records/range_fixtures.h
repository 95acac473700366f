// Shortcuts for the tests of merged cells and conditional formats: ranges written as "A1:C3",
// range lists loaded from record bytes and written back, and a formula arranger over the
// formula layer's token walker.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "base/hex.h"
#include "engine/biff/record_ids.h"
#include "engine/formulas/token_walker.h"
#include "engine/records/range_list.h"
#include "support/record_bytes.h"

namespace range_tests {

namespace biff = engine::biff;
namespace records = engine::records;

// What the sheet will hand its range list: the token walker over the formulas' tokens.
class TWalkerFormulas final : public records::ICFFormulaArranger {
 public:
  void ArrangeInsertRowsAndCols(std::span<std::uint8_t> ATokens, int ARowPos, int ARowCount,
                                int AColPos, int AColCount,
                                const biff::TSheetInfo& ASheetInfo) const override {
    engine::formulas::ArrangeInsertRowsAndCols(
        ATokens, ARowPos, ARowCount, AColPos, AColCount,
        engine::formulas::TTokenSheets{ASheetInfo.InsSheet, ASheetInfo.FormulaSheet});
  }
};

inline const TWalkerFormulas& WalkerFormulas() {
  static const TWalkerFormulas formulas;
  return formulas;
}

inline const biff::TSheetInfo kSheet0{0, 0};

// "A1" -> column 0, row 0.
inline void ParseCell(std::string_view AText, int& ARow, int& ACol) {
  ACol = -1;
  std::size_t i = 0;
  for (; i < AText.size() && AText[i] >= 'A' && AText[i] <= 'Z'; ++i)
    ACol = (ACol + 1) * 26 + (AText[i] - 'A');
  ARow = std::stoi(std::string(AText.substr(i))) - 1;
}

// "A1:C3" or "B2" as a cell range.
inline biff::TXlsCellRange Range(std::string_view AText) {
  biff::TXlsCellRange range;
  std::size_t colon = AText.find(':');
  ParseCell(AText.substr(0, colon), range.Top, range.Left);
  if (colon == std::string_view::npos) {
    range.Bottom = range.Top;
    range.Right = range.Left;
  } else {
    ParseCell(AText.substr(colon + 1), range.Bottom, range.Right);
  }
  return range;
}

inline std::string CellName(int ARow, int ACol) {
  std::string letters;
  for (int col = ACol + 1; col > 0; col = (col - 1) / 26)
    letters.insert(letters.begin(), static_cast<char>('A' + (col - 1) % 26));
  return letters + std::to_string(ARow + 1);
}

inline std::string Name(const biff::TXlsCellRange& ARange) {
  return CellName(ARange.Top, ARange.Left) + ":" + CellName(ARange.Bottom, ARange.Right);
}

inline std::string Name(const records::TExcelRange& AItem) {
  return Name(biff::TXlsCellRange{AItem.C1, AItem.R1, AItem.C2, AItem.R2});
}

// The items of an entry, "A1:B2 C3:D4".
inline std::string Items(const records::TRangeValuesList& AItems) {
  std::string text;
  for (std::size_t i = 0; i < AItems.Count(); ++i) text += (i ? " " : "") + Name(AItems[i]);
  return text;
}

// The merged ranges of a list over all its merged-cells entries, "A1:B2 C3:D4".
inline std::string Merged(const records::TRangeList& AList) {
  std::string text;
  for (int i = 0; i < AList.CellMergedListCount(); ++i)
    text += (i ? " " : "") + Name(AList.CellMergedList(i));
  return text;
}

inline void Merge(records::TRangeList& AList, std::string_view ARange) {
  biff::TXlsCellRange range = Range(ARange);
  AList.MergeCells(range.Top, range.Left, range.Bottom, range.Right);
}

inline records::TExcelRange Item(std::string_view ARange) {
  biff::TXlsCellRange range = Range(ARange);
  return {static_cast<std::uint16_t>(range.Top), static_cast<std::uint16_t>(range.Bottom),
          static_cast<std::uint16_t>(range.Left), static_cast<std::uint16_t>(range.Right)};
}

// Loads every MERGEDCELLS and CONDFMT record of the bytes, as the sheet loader hands them
// over, until another record or the end; returns the id of the header after them.
inline std::uint16_t LoadRanges(records::TRangeList& AList,
                                const std::vector<std::uint8_t>& ABytes) {
  std::vector<std::uint8_t> padded = ABytes;
  padded.insert(padded.end(), 4, 0);
  biff::TMemoryRecordSource source(padded);
  biff::TRecordReader reader(source, engine::workbook::WorkbookRecordFactory());
  biff::TRecordHeader header = reader.ReadHeader();
  while (header.Id == biff::rid::MergedCells || header.Id == biff::rid::CondFmt) {
    std::unique_ptr<biff::TBaseRecord> record = biff::ReadRecord(reader, header);
    if (auto* merged = dynamic_cast<records::TCellMergingRecord*>(record.get()))
      AList.LoadMergedCells(reader, header, *merged);
    else
      AList.LoadCondFmt(reader, header, dynamic_cast<records::TCondFmtRecord&>(*record));
  }
  return header.Id;
}

// The bytes the list writes, checked against the size it reports.
inline std::vector<std::uint8_t> Saved(records::TRangeList& AList) {
  biff::TMemoryRecordSink sink;
  AList.SaveToStream(sink);
  EXPECT_EQ(static_cast<std::int64_t>(sink.Bytes().size()), AList.TotalSize());
  return sink.Bytes();
}

inline std::vector<std::uint8_t> SavedRange(records::TRangeList& AList,
                                            const biff::TXlsCellRange& ARange) {
  biff::TMemoryRecordSink sink;
  AList.SaveRangeToStream(sink, ARange);
  EXPECT_EQ(static_cast<std::int64_t>(sink.Bytes().size()), AList.TotalRangeSize(ARange));
  return sink.Bytes();
}

}  // namespace range_tests
