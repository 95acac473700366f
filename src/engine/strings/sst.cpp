#include "engine/strings/sst.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "base/exception.h"
#include "base/little_endian.h"
#include "engine/biff/record_ids.h"
#include "engine/strings/string_records.h"

namespace engine::strings {

namespace {

// The buffer doubles from a small start up to steps of about 8 MB, then grows by such steps:
// a workbook with a few strings stays small and filling a sheet with text allocates rarely.
constexpr std::size_t kFirstBuffer = 65536;
constexpr std::size_t kBufferStep = 8290304;
constexpr std::size_t kMinSlots = 1024;

// Bytes of the string that starts at AString (count, option byte, fields, characters, runs,
// far-east data).
std::size_t StringSizeAt(const std::uint8_t* AString) {
  std::size_t count = base::LoadLE16(AString);
  std::uint8_t options = AString[2];
  std::size_t size = 3;
  std::size_t runs = 0;
  std::size_t farEast = 0;
  if (options & kStringRichText) {
    runs = base::LoadLE16(AString + size);
    size += 2;
  }
  if (options & kStringFarEast) {
    farEast = base::LoadLE32(AString + size);
    size += 4;
  }
  return size + count * (options & kStringWide ? 2 : 1) + 4 * runs + farEast;
}

std::uint32_t HashBytes(std::span<const std::uint8_t> ABytes) {
  std::uint64_t hash = 0x9E3779B97F4A7C15ull ^ ABytes.size();
  std::size_t i = 0;
  for (; i + 8 <= ABytes.size(); i += 8) {
    hash ^= base::LoadLE64(ABytes.data() + i);
    hash = (hash << 27 | hash >> 37) * 0xFF51AFD7ED558CCDull;
  }
  std::uint64_t last = 0;
  for (; i < ABytes.size(); ++i) last = (last << 8) | ABytes[i];
  hash ^= last;
  // Every input bit reaches the low bits, which pick the slot.
  hash ^= hash >> 33;
  hash *= 0xFF51AFD7ED558CCDull;
  hash ^= hash >> 33;
  hash *= 0xC4CEB9FE1A85EC53ull;
  hash ^= hash >> 33;
  return static_cast<std::uint32_t>(hash);
}

}  // namespace

TSST::TSST() = default;
TSST::~TSST() = default;

std::uint8_t* TSST::EntryBytes(TEntry AEntry) const {
  if (AEntry >= FUsedSize) throw std::out_of_range("shared string entry");
  return FBuffer.get() + AEntry;
}

std::span<const std::uint8_t> TSST::StringBytes(const TItem& AItem) const {
  return {FBuffer.get() + AItem.Entry + kEntryHeader, AItem.Size};
}

void TSST::Reserve(std::size_t ABytes) {
  std::size_t needed = FUsedSize + ABytes;
  if (needed <= FCapacity) return;
  if (needed > UINT32_MAX - 1)
    base::Raise(base::TMessage::TooManyEntries, {needed, UINT32_MAX - 1});
  std::size_t capacity = std::max(FCapacity, kFirstBuffer);
  while (capacity < needed) capacity += std::min(capacity, kBufferStep);
  auto buffer = std::make_unique_for_overwrite<std::uint8_t[]>(capacity);
  if (FUsedSize > 0) std::memcpy(buffer.get(), FBuffer.get(), FUsedSize);
  FBuffer = std::move(buffer);
  FCapacity = capacity;
}

void TSST::ReserveSlot() {
  if ((FSlotsUsed + 1) * 2 <= FSlots.size()) return;
  std::vector<TSlot> old = std::move(FSlots);
  FSlots.assign(std::max(kMinSlots, old.size() * 2), TSlot{0, kNoEntry});
  std::size_t mask = FSlots.size() - 1;
  for (const TSlot& slot : old) {
    if (slot.Entry == kNoEntry) continue;
    std::size_t i = slot.Hash & mask;
    while (FSlots[i].Entry != kNoEntry) i = (i + 1) & mask;
    FSlots[i] = slot;
  }
}

std::size_t TSST::ProbeSlot(std::uint32_t AHash, std::span<const std::uint8_t> ABytes) const {
  std::size_t mask = FSlots.size() - 1;
  std::size_t i = AHash & mask;
  for (; FSlots[i].Entry != kNoEntry; i = (i + 1) & mask) {
    if (FSlots[i].Hash != AHash) continue;
    const std::uint8_t* stored = FBuffer.get() + FSlots[i].Entry + kEntryHeader;
    if (StringSizeAt(stored) == ABytes.size() &&
        std::memcmp(stored, ABytes.data(), ABytes.size()) == 0)
      break;
  }
  return i;
}

void TSST::RebuildIndex() {
  FSlots.clear();
  FSlotsUsed = 0;
  for (const TItem& item : FItems) {
    ReserveSlot();
    TSlot& slot = FSlots[ProbeSlot(item.Hash, StringBytes(item))];
    if (slot.Entry != kNoEntry) continue;
    slot = {item.Hash, item.Entry};
    ++FSlotsUsed;
  }
}

TSST::TEntry TSST::Commit(std::size_t AStringSize, bool AKeepDuplicate) {
  const auto entry = static_cast<TEntry>(FUsedSize);
  std::uint8_t* bytes = FBuffer.get() + entry;
  std::span<const std::uint8_t> string(bytes + kEntryHeader, AStringSize);
  std::uint32_t hash = HashBytes(string);
  ReserveSlot();
  TSlot& slot = FSlots[ProbeSlot(hash, string)];
  if (slot.Entry != kNoEntry && !AKeepDuplicate) {
    AddRef(slot.Entry);
    return slot.Entry;
  }
  std::memset(bytes, 0, kEntryHeader);
  base::StoreLE32(bytes + kRefCountAt, AKeepDuplicate ? 0 : 1);
  FUsedSize += kEntryHeader + AStringSize;
  FItems.push_back({entry, static_cast<std::uint32_t>(AStringSize), hash});
  FSorted = false;
  // A string a file holds twice keeps the index pointing at its first entry.
  if (slot.Entry == kNoEntry) {
    slot = {hash, entry};
    ++FSlotsUsed;
  }
  return entry;
}

void TSST::Load(const TSSTRecord& ASSTRecord) {
  biff::TRecordCursor cursor{&ASSTRecord, 8};
  for (std::uint32_t i = 0; i < ASSTRecord.Count(); ++i) {
    TExcelString text(2, cursor);
    auto size = static_cast<std::size_t>(text.TotalSize());
    Reserve(kEntryHeader + size);
    text.CopyToPtr({FBuffer.get(), FCapacity}, FUsedSize + kEntryHeader);
    Commit(size, true);
  }
}

TSST::TEntry TSST::AddString(std::u16string_view AText, std::span<const TRTFRun> ARuns) {
  if (AText.size() > 0xFFFF || ARuns.size() > 0xFFFF)
    base::Raise(base::TMessage::InvalidStringRecord);
  bool wide = std::any_of(AText.begin(), AText.end(), [](char16_t c) { return c > 0xFF; });
  std::size_t size = 3 + (ARuns.empty() ? 0 : 2 + 4 * ARuns.size()) + AText.size() * (wide ? 2 : 1);
  Reserve(kEntryHeader + size);
  std::uint8_t* out = FBuffer.get() + FUsedSize + kEntryHeader;
  base::StoreLE16(out, static_cast<std::uint16_t>(AText.size()));
  out[2] =
      static_cast<std::uint8_t>((wide ? kStringWide : 0) | (ARuns.empty() ? 0 : kStringRichText));
  out += 3;
  if (!ARuns.empty()) {
    base::StoreLE16(out, static_cast<std::uint16_t>(ARuns.size()));
    out += 2;
  }
  if (wide) {
    for (char16_t c : AText) {
      base::StoreLE16(out, c);
      out += 2;
    }
  } else {
    for (char16_t c : AText) *out++ = static_cast<std::uint8_t>(c);
  }
  for (const TRTFRun& run : ARuns) {
    base::StoreLE16(out, run.FirstChar);
    base::StoreLE16(out + 2, run.FontIndex);
    out += 4;
  }
  return Commit(size, false);
}

void TSST::AddRef(TEntry AEntry) {
  std::uint8_t* bytes = EntryBytes(AEntry);
  base::StoreLE32(bytes + kRefCountAt, base::LoadLE32(bytes + kRefCountAt) + 1);
}

void TSST::Release(TEntry AEntry) {
  std::uint8_t* bytes = EntryBytes(AEntry);
  std::uint32_t count = base::LoadLE32(bytes + kRefCountAt);
  if (count > 0) base::StoreLE32(bytes + kRefCountAt, count - 1);
}

TSST::TEntry TSST::EntryAt(std::size_t APosition) const {
  return FItems.at(APosition).Entry;
}

std::uint32_t TSST::RefCount(TEntry AEntry) const {
  return base::LoadLE32(EntryBytes(AEntry) + kRefCountAt);
}

std::uint32_t TSST::WrittenIndex(TEntry AEntry) const {
  return base::LoadLE32(EntryBytes(AEntry) + kIndexAt);
}

TRichString TSST::EntryRichString(TEntry AEntry) const {
  const std::uint8_t* string = EntryBytes(AEntry) + kEntryHeader;
  std::size_t count = base::LoadLE16(string);
  std::uint8_t options = string[2];
  const std::uint8_t* at = string + 3;
  std::size_t runs = 0;
  if (options & kStringRichText) {
    runs = base::LoadLE16(at);
    at += 2;
  }
  if (options & kStringFarEast) at += 4;
  TRichString result;
  result.Value.resize(count);
  for (std::size_t i = 0; i < count; ++i)
    result.Value[i] = options & kStringWide ? base::LoadLE16(at + 2 * i) : at[i];
  at += count * (options & kStringWide ? 2 : 1);
  result.RTFRuns.resize(runs);
  for (std::size_t i = 0; i < runs; ++i)
    result.RTFRuns[i] = {base::LoadLE16(at + 4 * i), base::LoadLE16(at + 4 * i + 2)};
  return result;
}

void TSST::Sort() {
  std::sort(FItems.begin(), FItems.end(), [this](const TItem& A, const TItem& B) {
    if (A.Size != B.Size) return A.Size < B.Size;
    return std::memcmp(StringBytes(A).data(), StringBytes(B).data(), A.Size) < 0;
  });
  FSorted = true;
}

void TSST::EnsureSorted() {
  if (!FSorted) Sort();
}

void TSST::FixRefs() {
  std::size_t before = FItems.size();
  std::erase_if(FItems, [this](const TItem& AItem) { return RefCount(AItem.Entry) == 0; });
  if (FItems.size() != before) RebuildIndex();
}

void TSST::Clear() noexcept {
  FItems.clear();
  FSlots.clear();
  FSlotsUsed = 0;
  FSorted = true;
}

std::size_t TSST::BucketSize() const noexcept {
  return std::max<std::size_t>(8, FItems.size() / 128 + 1);
}

std::int64_t TSST::TotalSize() {
  EnsureSorted();
  std::size_t buckets = FItems.empty() ? 0 : (FItems.size() - 1) / BucketSize() + 1;
  return WriteRecords(nullptr, false) + 6 + 8 * static_cast<std::int64_t>(buckets);
}

void TSST::SaveToStream(biff::TRecordSink& AStream) {
  EnsureSorted();
  for (std::size_t i = 0; i < FItems.size(); ++i) {
    std::uint8_t* bytes = EntryBytes(FItems[i].Entry);
    if (base::LoadLE32(bytes + kRefCountAt) == 0) base::Raise(base::TMessage::RefsShouldBePositive);
    base::StoreLE32(bytes + kIndexAt, static_cast<std::uint32_t>(i));
  }
  WriteRecords(&AStream, true);
  WriteExtSST(AStream);
}

void TSST::WriteExtSST(biff::TRecordSink& AStream) const {
  std::size_t perBucket = BucketSize();
  std::size_t buckets = FItems.empty() ? 0 : (FItems.size() - 1) / perBucket + 1;
  std::vector<std::uint8_t> record(4 + 2 + 8 * buckets, 0);
  base::StoreLE16(record.data(), biff::rid::ExtSst);
  base::StoreLE16(record.data() + 2, static_cast<std::uint16_t>(2 + 8 * buckets));
  base::StoreLE16(record.data() + 4, static_cast<std::uint16_t>(perBucket));
  for (std::size_t b = 0; b < buckets; ++b) {
    const std::uint8_t* entry = EntryBytes(FItems[b * perBucket].Entry);
    std::uint8_t* out = record.data() + 6 + 8 * b;
    base::StoreLE32(out, base::LoadLE32(entry + kPositionAt));
    base::StoreLE16(out + 4, base::LoadLE16(entry + kRecordOffsetAt));
  }
  AStream.WriteMem(record.data(), static_cast<std::uint32_t>(record.size()));
}

}  // namespace engine::strings
