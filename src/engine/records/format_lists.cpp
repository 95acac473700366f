#include "engine/records/format_lists.h"

#include <algorithm>
#include <cstring>

#include "base/exception.h"
#include "base/little_endian.h"
#include "engine/biff/record_ids.h"

namespace engine::records {

namespace {

// BIFF8 has no font index 4.
constexpr int kMissingFontIndex = 4;

int FontIndexOfPosition(std::size_t APosition) noexcept {
  return APosition < kMissingFontIndex ? static_cast<int>(APosition)
                                       : static_cast<int>(APosition) + 1;
}

}  // namespace

int TFontRecordList::AddFont(const TTabrixFont& AFont) {
  TFontRecord::EncodeFont(AFont, FCandidate);
  for (std::size_t i = 0; i < Count(); ++i) {
    std::span<const std::uint8_t> data = (*this)[i]->Data();
    if (data.size() == FCandidate.size() &&
        std::equal(data.begin(), data.end(), FCandidate.begin()))
      return FontIndexOfPosition(i);
  }
  return FontIndexOfPosition(
      Add(std::make_unique<TFontRecord>(biff::rid::Font, biff::TRecordData::CopyOf(FCandidate))));
}

std::size_t TFontRecordList::ActualFontIndex(int AFontIndex) const noexcept {
  int position = AFontIndex > 3 ? AFontIndex - 1 : AFontIndex;
  return position >= 0 && static_cast<std::size_t>(position) < Count()
             ? static_cast<std::size_t>(position)
             : 0;
}

std::size_t TXFRecordList::TBodyHash::operator()(const TXFBody& ABody) const noexcept {
  std::uint64_t hash = base::LoadLE64(ABody.data()) * 0x9E3779B97F4A7C15ull;
  hash ^= base::LoadLE64(ABody.data() + 8) + (hash << 6) + (hash >> 2);
  hash ^= base::LoadLE32(ABody.data() + 16) * 0xC4CEB9FE1A85EC53ull;
  return static_cast<std::size_t>(hash ^ (hash >> 29));
}

// A record read from a file may be shorter than an XF's 20 bytes: it equals no body.
void TXFRecordList::IndexRecord(std::size_t APosition) {
  std::span<const std::uint8_t> data = (*this)[APosition]->Data();
  if (data.size() < kXFDataSize) return;
  TXFBody key;
  std::copy_n(data.begin(), kXFDataSize, key.begin());
  FIndex.try_emplace(key, APosition);
}

void TXFRecordList::ListChanged(TListChange AChange) {
  if (AChange == TListChange::Appended && FIndexValid)
    IndexRecord(Count() - 1);
  else
    FIndexValid = false;
}

bool TXFRecordList::FindFormat(const TXFBody& ABody, std::size_t& AIndex) {
  if (!FIndexValid) {
    FIndex.clear();
    for (std::size_t i = 0; i < Count(); ++i) IndexRecord(i);
    FIndexValid = true;
  }
  auto found = FIndex.find(ABody);
  if (found == FIndex.end()) return false;
  AIndex = found->second;
  return true;
}

bool TXFRecordList::FindFormat(const TXFRecord& AXF, std::size_t& AIndex) {
  if (AXF.DataSize() < kXFDataSize) return false;
  TXFBody body;
  std::copy_n(AXF.Data().begin(), kXFDataSize, body.begin());
  return FindFormat(body, AIndex);
}

std::vector<bool> TXFRecordList::GetUsedColors(std::size_t AColorCount,
                                               const TFontRecordList& AFonts) const {
  std::vector<bool> used(AColorCount, false);
  for (std::size_t i = 0; i < Count(); ++i) (*this)[i]->FillUsedColors(used, AFonts);
  return used;
}

void TFormatRecordList::ListChanged(TListChange) {
  FSorted = false;
  FTextIndexValid = false;
}

void TFormatRecordList::Sort() {
  std::stable_sort(Records().begin(), Records().end(), [](const auto& A, const auto& B) {
    return static_cast<const TFormatRecord&>(*A).FormatId() <
           static_cast<const TFormatRecord&>(*B).FormatId();
  });
  FSorted = true;
  FTextIndexValid = false;  // which record of a text comes first may have changed
}

bool TFormatRecordList::Find(int AFormatId, std::size_t& AIndex) {
  if (!FSorted) Sort();
  std::size_t low = 0;
  std::size_t high = Count();
  while (low < high) {
    std::size_t middle = low + (high - low) / 2;
    if ((*this)[middle]->FormatId() < AFormatId)
      low = middle + 1;
    else
      high = middle;
  }
  AIndex = low;
  return low < Count() && (*this)[low]->FormatId() == AFormatId;
}

int TFormatRecordList::AddFormat(std::u16string_view AFmt) {
  if (!FTextIndexValid) {
    FTextIndex.clear();
    for (std::size_t i = 0; i < Count(); ++i)
      FTextIndex.try_emplace((*this)[i]->Value(), (*this)[i]->FormatId());
    FTextIndexValid = true;
  }
  if (auto found = FTextIndex.find(std::u16string(AFmt)); found != FTextIndex.end())
    return found->second;
  if (int id = FBuiltIns.Find(AFmt); id >= 0) return id;
  int id = NewFormatId();  // may sort the list, which makes the index be built again
  const bool indexValid = FTextIndexValid;
  Add(TFormatRecord::CreateFromData(AFmt, id));
  // The new record is last in list order: an index that was right stays right with it added.
  if (indexValid) {
    FTextIndex.try_emplace(std::u16string(AFmt), id);
    FTextIndexValid = true;
  }
  return id;
}

// One above the highest id in use, at least 164; when that would not fit 16 bits, the lowest
// free id from 164 on.
int TFormatRecordList::NewFormatId() {
  if (!FSorted) Sort();
  int id = Count() == 0 ? kFirstUserFormatId : (*this)[Count() - 1]->FormatId() + 1;
  id = std::max(id, kFirstUserFormatId);
  if (id <= 0xFFFF) return id;
  int candidate = kFirstUserFormatId;
  for (std::size_t i = 0; i < Count() && candidate <= 0xFFFF; ++i) {
    int used = (*this)[i]->FormatId();
    if (used > candidate) break;
    if (used == candidate) ++candidate;
  }
  if (candidate > 0xFFFF) base::Raise(base::TMessage::TooManyEntries, {candidate, 0xFFFF});
  return candidate;
}

std::u16string TFormatRecordList::Format(int AFormatId) {
  std::size_t index = 0;
  if (Find(AFormatId, index)) return (*this)[index]->Value();
  if (AFormatId >= 0 && AFormatId < TBuiltInFormats::kCount) return FBuiltIns.Text(AFormatId);
  return {};
}

}  // namespace engine::records
