// TSST: the workbook's shared string table. Every distinct cell text is stored once, in the
// byte form in which it is written, with the number of text cells that use it; at save the
// strings no cell uses any more are dropped, the rest are written as an SST record continued in
// CONTINUE records, and an EXTSST index follows.
//
// Entries live in one buffer, appended and never compacted; the buffer doubles up to steps of
// about 8 MB, and an entry keeps its offset (TEntry) through every growth. Layout of an entry
// (little-endian):
//   off  size  content
//   0    4     reference count: text cells (and their copies) using the string
//   4    4     absolute stream position of the string, set while the table is written
//   8    2     offset of the string from the start of its SST or CONTINUE record, likewise
//   10   4     the string's index in the written SST, likewise
//   14   ...   the string in the BIFF8 layout, with a 2-byte character count
//
// The written order is the entry order: shorter strings first, equal lengths by their bytes.
// Lookups go through a hash index, so adding a text, new or repeated, costs no search through
// the table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/biff/record_stream.h"
#include "engine/strings/excel_string.h"

namespace engine::strings {

class TSSTRecord;

class TSST {
 public:
  using TEntry = std::uint32_t;
  static constexpr TEntry kNoEntry = UINT32_MAX;

  TSST();
  ~TSST();
  TSST(const TSST&) = delete;
  TSST& operator=(const TSST&) = delete;

  // Appends the strings of an SST record (and its CONTINUE chain) in file order, each with a
  // reference count of 0.
  void Load(const TSSTRecord& ASSTRecord);
  // The entry of the text (with its rich-text runs), existing or new, with one more reference.
  TEntry AddString(std::u16string_view AText, std::span<const TRTFRun> ARuns = {});
  void AddRef(TEntry AEntry);
  // One reference less; an entry nobody uses stays until the next save drops it.
  void Release(TEntry AEntry);

  std::size_t Count() const noexcept { return FItems.size(); }
  // The entry at APosition of the table's current order: file order after Load, entry order
  // once sorted.
  TEntry EntryAt(std::size_t APosition) const;
  std::uint32_t RefCount(TEntry AEntry) const;
  // The entry's index in the SST written last.
  std::uint32_t WrittenIndex(TEntry AEntry) const;
  TRichString EntryRichString(TEntry AEntry) const;
  std::u16string EntryString(TEntry AEntry) const { return EntryRichString(AEntry).Value; }

  // Puts the strings in entry order.
  void Sort();
  // Drops the strings with no reference.
  void FixRefs();
  // Empties the table; the buffer keeps its bytes.
  void Clear() noexcept;

  // Bytes of the SST and CONTINUE records and the EXTSST record that SaveToStream writes, by a
  // dry run of the writer.
  std::int64_t TotalSize();
  // Writes SST, CONTINUE and EXTSST; tells every entry its index and position. Raises "Refs
  // should be >0" for an entry without references (FixRefs removes them first).
  void SaveToStream(biff::TRecordSink& AStream);
  // The EXTSST record of the table as last written: one bucket per group of strings, pointing
  // at the group's first string.
  void WriteExtSST(biff::TRecordSink& AStream) const;

 private:
  // The entry layout above.
  static constexpr std::size_t kEntryHeader = 14;
  static constexpr std::size_t kRefCountAt = 0;
  static constexpr std::size_t kPositionAt = 4;
  static constexpr std::size_t kRecordOffsetAt = 8;
  static constexpr std::size_t kIndexAt = 10;

  struct TItem {
    TEntry Entry;
    std::uint32_t Size;  // bytes of the string from entry offset 14
    std::uint32_t Hash;
  };
  struct TSlot {
    std::uint32_t Hash;
    TEntry Entry;  // kNoEntry: free
  };

  std::uint8_t* EntryBytes(TEntry AEntry) const;
  std::span<const std::uint8_t> StringBytes(const TItem& AItem) const;
  void Reserve(std::size_t ABytes);
  // Takes the string written at the end of the buffer into the table (or finds its twin there).
  TEntry Commit(std::size_t AStringSize, bool AKeepDuplicate);
  // Makes room in the index for one more string.
  void ReserveSlot();
  // The slot of the index holding the string, or the free slot where it would go.
  std::size_t ProbeSlot(std::uint32_t AHash, std::span<const std::uint8_t> ABytes) const;
  void RebuildIndex();
  void EnsureSorted();
  std::int64_t WriteRecords(biff::TRecordSink* AStream, bool AStore);
  std::size_t BucketSize() const noexcept;

  std::unique_ptr<std::uint8_t[]> FBuffer;
  std::size_t FCapacity = 0;
  std::size_t FUsedSize = 0;
  std::vector<TItem> FItems;  // the table in its current order
  std::vector<TSlot> FSlots;  // open-addressed hash index over FItems
  std::size_t FSlotsUsed = 0;
  bool FSorted = true;
};

}  // namespace engine::strings
