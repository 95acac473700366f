// The range entries of a worksheet: merged cells (written as MERGEDCELLS records) and
// conditional formats (a CONDFMT record followed by its CF records). Each entry keeps its
// ranges in a TRangeValuesList and writes them anew in records of at most 513 ranges.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/biff/record_lists.h"
#include "engine/biff/record_reader.h"
#include "engine/biff/record_stream.h"
#include "engine/biff/row_col_record.h"
#include "engine/records/range_records.h"
#include "engine/records/range_values.h"

namespace engine::records {

inline constexpr int kMaxRangesPerRecord = 513;

class TRangeEntry {
 public:
  virtual ~TRangeEntry() = default;
  TRangeEntry(const TRangeEntry&) = delete;
  TRangeEntry& operator=(const TRangeEntry&) = delete;

  TRangeValuesList& RangeValuesList() noexcept { return FRangeValuesList; }
  const TRangeValuesList& RangeValuesList() const noexcept { return FRangeValuesList; }
  // A new entry of the same class with copies of the ranges (and what else the class keeps).
  std::unique_ptr<TRangeEntry> CopyTo() const { return DoCopyTo(); }
  // The id of the records the entry writes.
  virtual std::uint16_t RecordId() const noexcept = 0;

  // Takes the ranges from AFirst, the record that starts the entry, which the caller has read
  // with ReadRecord and keeps; entries made of several records read the rest from AStream,
  // leaving the header after them in AHeader.
  virtual void LoadFromStream(biff::TRecordReader& AStream, biff::TRecordHeader& AHeader,
                              const biff::TBaseRecord& AFirst) = 0;
  // The records of the entry: none without ranges, else one per 513 ranges.
  void SaveToStream(biff::TRecordSink& AStream);
  // The same with only the ranges wholly inside ACellRange.
  void SaveRangeToStream(biff::TRecordSink& AStream, const biff::TXlsCellRange& ACellRange);
  std::int64_t TotalSize() const;
  std::int64_t TotalRangeSize(const biff::TXlsCellRange& ACellRange) const;

  // Rows from ARowPos and columns from AColPos move by the counts (negative counts delete).
  virtual void ArrangeInsertRowsAndCols(int ARowPos, int ARowCount, int AColPos, int AColCount,
                                        const biff::TSheetInfo& ASheetInfo);
  // ACount copies of rows (AUseCols: columns) AFirstRow..ALastRow inserted before ADestRow.
  virtual void InsertAndCopyRowsOrCols(int AFirstRow, int ALastRow, int ADestRow, int ACount,
                                       const biff::TSheetInfo& ASheetInfo, bool AUseCols) = 0;
  // ACount rows (AUseCols: columns) deleted from ARow on.
  virtual void DeleteRowsOrCols(int ARow, int ACount, const biff::TSheetInfo& ASheetInfo,
                                bool AUseCols) = 0;

 protected:
  explicit TRangeEntry(std::uint16_t AOtherDataLen) noexcept
      : FRangeValuesList(kMaxRangesPerRecord, AOtherDataLen) {}

  virtual std::unique_ptr<TRangeEntry> DoCopyTo() const = 0;
  // The data that comes before the range count of each record (as many bytes as the list's
  // OtherDataLen), and what follows each record.
  virtual void SaveOtherData(std::uint8_t* AData) const = 0;
  virtual void SaveAfterRecord(biff::TRecordSink& /*AStream*/) {}
  virtual std::int64_t SizeAfterRecord() const { return 0; }

 private:
  void SaveRecordHeader(biff::TRecordSink& AStream, int ALine, int ACount) const;
  std::int64_t SizeOfRecords(int ACount) const;

  TRangeValuesList FRangeValuesList;
};

// Merged cell ranges; the ranges of one MERGEDCELLS record or of the sheet's merges.
class TMergedCells final : public TRangeEntry {
 public:
  TMergedCells() noexcept : TRangeEntry(0) {}

  void LoadFromStream(biff::TRecordReader& AStream, biff::TRecordHeader& AHeader,
                      const biff::TBaseRecord& AFirst) override;
  void InsertAndCopyRowsOrCols(int AFirstRow, int ALastRow, int ADestRow, int ACount,
                               const biff::TSheetInfo& ASheetInfo, bool AUseCols) override;
  void DeleteRowsOrCols(int ARow, int ACount, const biff::TSheetInfo& ASheetInfo,
                        bool AUseCols) override;
  std::uint16_t RecordId() const noexcept override;

  // The first range holding the cell goes into ACellBounds; false when none does.
  bool CheckCell(int ARow, int ACol, biff::TXlsCellRange& ACellBounds) const;
  int MergedCount() const noexcept { return static_cast<int>(RangeValuesList().Count()); }
  biff::TXlsCellRange MergedCell(int AIndex) const;
  // Absorbs every range that overlaps the ordered rectangle, last to first, growing the
  // rectangle to the union each time; an invalid rectangle (IsValidMergeRange) is left alone,
  // and so are ranges read from a file that reach beyond the sheet. True when a range was
  // absorbed.
  bool PreMerge(int& AR1, int& AC1, int& AR2, int& AC2);
  // Adds the ordered rectangle as it is (an invalid one is ignored); PreMerge comes first.
  void MergeCells(int AFirstRow, int AFirstCol, int ALastRow, int ALastCol);
  // Removes every range equal to the ordered rectangle.
  void UnMergeCells(int AFirstRow, int AFirstCol, int ALastRow, int ALastCol);

 protected:
  std::unique_ptr<TRangeEntry> DoCopyTo() const override;
  void SaveOtherData(std::uint8_t*) const override {}
};

// A conditional format: its ranges, their bounding range and its rules (CF records), whose
// formulas follow row and column changes through the formula arranger.
class TCondFmt final : public TRangeEntry {
 public:
  // The arranger is not owned; the sheet's range list hands its own.
  explicit TCondFmt(const ICFFormulaArranger& AFormulas) noexcept;

  std::uint16_t Flag() const noexcept { return FFlag; }
  const TExcelRange& AllRange() const noexcept { return FAllRange; }
  const biff::TRecordList<TCFRecord>& CFs() const noexcept { return FCFs; }

  // Reads the CF records the CONDFMT record AFirst counts; anything else in their place, or a
  // CF whose formulas do not fit its body, raises "Invalid conditional format record".
  void LoadFromStream(biff::TRecordReader& AStream, biff::TRecordHeader& AHeader,
                      const biff::TBaseRecord& AFirst) override;
  void ArrangeInsertRowsAndCols(int ARowPos, int ARowCount, int AColPos, int AColCount,
                                const biff::TSheetInfo& ASheetInfo) override;
  void InsertAndCopyRowsOrCols(int AFirstRow, int ALastRow, int ADestRow, int ACount,
                               const biff::TSheetInfo& ASheetInfo, bool AUseCols) override;
  void DeleteRowsOrCols(int ARow, int ACount, const biff::TSheetInfo& ASheetInfo,
                        bool AUseCols) override;
  std::uint16_t RecordId() const noexcept override;

 protected:
  std::unique_ptr<TRangeEntry> DoCopyTo() const override;
  void SaveOtherData(std::uint8_t* AData) const override;
  void SaveAfterRecord(biff::TRecordSink& AStream) override;
  std::int64_t SizeAfterRecord() const override { return FCFs.TotalSize(); }

 private:
  void ArrangeFormulas(std::int64_t ARowPos, std::int64_t ARowCount, std::int64_t AColPos,
                       std::int64_t AColCount, const biff::TSheetInfo& ASheetInfo);

  const ICFFormulaArranger* FFormulas;  // not owned
  std::uint16_t FFlag = 0;
  TExcelRange FAllRange;
  biff::TRecordList<TCFRecord> FCFs;
};

}  // namespace engine::records
