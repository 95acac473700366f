// The owning record lists in which the sections keep their records. Each list knows the bytes
// it will write (TotalSize) at all times: adding a record adds its size, deleting one takes
// its size off before it is freed, and code that changes the size of a record inside a list
// reports the change with AdaptSize. Sections thus know their sizes, and the workbook its
// sheet offsets, without a trial write.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "engine/biff/base_record.h"
#include "engine/biff/row_col_record.h"

namespace engine::biff {

class TRecordSink;

// Storage and size bookkeeping shared by every list; slots may be empty (lists indexed by row).
class TRecordListCore {
 public:
  TRecordListCore() = default;
  virtual ~TRecordListCore() = default;
  TRecordListCore(const TRecordListCore&) = delete;
  TRecordListCore& operator=(const TRecordListCore&) = delete;

  std::size_t Count() const noexcept { return FRecords.size(); }
  void Delete(std::size_t AIndex);
  void Clear();
  // Called by whoever changes the size of a record that sits in the list.
  void AdaptSize(std::int64_t ADelta) noexcept { FTotalSize += ADelta; }

  virtual std::int64_t TotalSize() const { return FTotalSize; }
  // Writes the records in list order, skipping empty slots, and checks that each wrote exactly
  // the bytes it said it would.
  virtual void SaveToStream(TRecordSink& AStream);

 protected:
  TBaseRecord* RecordAt(std::size_t AIndex) const { return FRecords.at(AIndex).get(); }
  std::size_t AddRecord(std::unique_ptr<TBaseRecord> ARecord);
  void InsertRecord(std::size_t AIndex, std::unique_ptr<TBaseRecord> ARecord);
  void ReplaceRecord(std::size_t AIndex, std::unique_ptr<TBaseRecord> ARecord);
  // Reordering keeps the total; subclasses that sort use this.
  std::vector<std::unique_ptr<TBaseRecord>>& Records() noexcept { return FRecords; }
  // Told after every change of the list's records: an Add (Appended), or an Insert, Replace,
  // Delete or Clear (Other). Lists that keep an order or an index of their records update it.
  enum class TListChange { Appended, Other };
  virtual void ListChanged(TListChange /*AChange*/) {}

 private:
  std::vector<std::unique_ptr<TBaseRecord>> FRecords;
  std::int64_t FTotalSize = 0;
};

// Writes ARecord and raises when the bytes written differ from its WrittenSize.
void SaveRecordChecked(TBaseRecord& ARecord, TRecordSink& AStream);

// A list of records of class T (T or classes derived from it).
template <class T>
class TRecordList : public TRecordListCore {
 public:
  T* operator[](std::size_t AIndex) const { return static_cast<T*>(RecordAt(AIndex)); }
  std::size_t Add(std::unique_ptr<T> ARecord) { return AddRecord(std::move(ARecord)); }
  void Insert(std::size_t AIndex, std::unique_ptr<T> ARecord) {
    InsertRecord(AIndex, std::move(ARecord));
  }
  // Frees the record at AIndex and puts ARecord in its place.
  void Replace(std::size_t AIndex, std::unique_ptr<T> ARecord) {
    ReplaceRecord(AIndex, std::move(ARecord));
  }
  // Appends a copy of every record of AOther.
  void CopyFrom(const TRecordList& AOther) {
    for (std::size_t i = 0; i < AOther.Count(); ++i) {
      std::unique_ptr<TBaseRecord> copy = TBaseRecord::CopyTo(AOther.RecordAt(i));
      Add(std::unique_ptr<T>(static_cast<T*>(copy.release())));
    }
  }
};

using TBaseRecordList = TRecordList<TBaseRecord>;

// Stands in a list for a whole other list (not owned), so that the other list is written at
// this position. Its own size is 0: the owner counts the other list itself.
class TSubListRecord final : public TBaseRecord {
 public:
  static std::unique_ptr<TSubListRecord> CreateAndAssign(TRecordListCore& ASubList);

  TRecordListCore& SubList() const noexcept { return *FSubList; }
  std::unique_ptr<TBaseRecord> DoCopyTo() const override { return CreateAndAssign(*FSubList); }
  void SaveToStream(TRecordSink& AStream) override;
  std::int64_t TotalSize() const override { return 0; }
  std::int64_t WrittenSize() const override { return FSubList->TotalSize(); }

 private:
  explicit TSubListRecord(TRecordListCore& ASubList) noexcept
      : TBaseRecord(0, TRecordData()), FSubList(&ASubList) {}

  TRecordListCore* FSubList;  // not owned
};

// Records with a row and a column (T derives from TBaseRowColRecord), searchable by column.
template <class T>
class TRowColRecordList : public TRecordList<T> {
 public:
  bool Sorted() const noexcept { return FSorted; }

  // Orders by column, keeping the order of equal columns; empty slots go last.
  void Sort() {
    auto& records = this->Records();
    std::stable_sort(records.begin(), records.end(), [](const auto& A, const auto& B) {
      if (!A || !B) return A && !B;
      return static_cast<const T*>(A.get())->Column() < static_cast<const T*>(B.get())->Column();
    });
    FSorted = true;
  }

  // Finds the first record of column AColumn (sorting first when needed). AIndex is the match
  // or the position where such a record would be inserted.
  bool Find(int AColumn, std::size_t& AIndex) {
    if (!FSorted) Sort();
    std::size_t low = 0;
    std::size_t high = this->Count();
    while (low < high) {
      std::size_t middle = low + (high - low) / 2;
      const T* record = (*this)[middle];
      if (record && record->Column() < AColumn)
        low = middle + 1;
      else
        high = middle;
    }
    AIndex = low;
    return low < this->Count() && (*this)[low] && (*this)[low]->Column() == AColumn;
  }

  // Writes, or counts, only the records inside ARange.
  virtual void SaveRangeToStream(TRecordSink& AStream, const TXlsCellRange& ARange) {
    for (std::size_t i = 0; i < this->Count(); ++i)
      if (T* record = (*this)[i]; record && ARange.Contains(record->Row(), record->Column()))
        SaveRecordChecked(*record, AStream);
  }
  virtual std::int64_t TotalRangeSize(const TXlsCellRange& ARange, bool ANeedsRecalc) {
    std::int64_t size = 0;
    for (std::size_t i = 0; i < this->Count(); ++i)
      if (T* record = (*this)[i]; record && ARange.Contains(record->Row(), record->Column()))
        size += record->FixTotalSize(ANeedsRecalc);
    return size;
  }

  void ArrangeInsertRowsAndCols(int ARowPos, int ARowCount, int AColPos, int AColCount,
                                const TSheetInfo& ASheetInfo) {
    for (std::size_t i = 0; i < this->Count(); ++i)
      if (T* record = (*this)[i])
        record->ArrangeInsertRowsAndCols(ARowPos, ARowCount, AColPos, AColCount, ASheetInfo);
  }
  void ArrangeCopyRowsAndCols(int ARowOffset, int AColOffset) {
    for (std::size_t i = 0; i < this->Count(); ++i)
      if (T* record = (*this)[i]) record->ArrangeCopyRowsAndCols(ARowOffset, AColOffset);
  }

 protected:
  // Appending may break the column order; inserting is done at a found position.
  void ListChanged(typename TRecordList<T>::TListChange AChange) override {
    if (AChange == TRecordList<T>::TListChange::Appended) FSorted = false;
  }

 private:
  bool FSorted = false;
};

using TBaseRowColRecordList = TRowColRecordList<TBaseRowColRecord>;

// The shared-formula records of a sheet while it loads, each under a key made of the column
// (high 16 bits) and row (low 16 bits) of the formula it belongs to. The list is consumed when
// the sheet's formulas are resolved and is never written.
class TShrFmlaRecordList {
 public:
  std::size_t Count() const noexcept { return FEntries.size(); }
  TBaseRecord* operator[](std::size_t AIndex) const { return FEntries.at(AIndex).Record.get(); }
  std::uint32_t Key(std::size_t AIndex) const { return FEntries.at(AIndex).Key; }

  std::size_t Add(std::unique_ptr<TBaseRecord> ARecord, std::uint32_t AKey);
  // Orders by key (sorting only when something was added since the last search) and finds the
  // first record with AKey; AIndex is the match or the insertion point.
  bool Find(std::uint32_t AKey, std::size_t& AIndex);

 private:
  struct TEntry {
    std::uint32_t Key;
    std::unique_ptr<TBaseRecord> Record;
  };
  std::vector<TEntry> FEntries;
  bool FSorted = true;
};

}  // namespace engine::biff
