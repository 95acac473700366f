#include "engine/records/format_lists.h"

#include <algorithm>
#include <cstring>

#include "base/exception.h"
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
  std::vector<std::uint8_t> body = TFontRecord::EncodeFont(AFont);
  for (std::size_t i = 0; i < Count(); ++i) {
    std::span<const std::uint8_t> data = (*this)[i]->Data();
    if (data.size() == body.size() && std::equal(data.begin(), data.end(), body.begin()))
      return FontIndexOfPosition(i);
  }
  return FontIndexOfPosition(
      Add(std::make_unique<TFontRecord>(biff::rid::Font, biff::TRecordData::CopyOf(body))));
}

std::size_t TFontRecordList::ActualFontIndex(int AFontIndex) const noexcept {
  int position = AFontIndex > 3 ? AFontIndex - 1 : AFontIndex;
  return position >= 0 && static_cast<std::size_t>(position) < Count()
             ? static_cast<std::size_t>(position)
             : 0;
}

bool TXFRecordList::FindFormat(std::span<const std::uint8_t> ABody, std::size_t& AIndex) const {
  for (std::size_t i = 0; i < Count(); ++i) {
    // A record read from a file may be shorter than the body; it is not equal then.
    std::span<const std::uint8_t> data = (*this)[i]->Data();
    if (data.size() >= ABody.size() && std::equal(ABody.begin(), ABody.end(), data.begin())) {
      AIndex = i;
      return true;
    }
  }
  return false;
}

std::vector<bool> TXFRecordList::GetUsedColors(std::size_t AColorCount,
                                               const TFontRecordList& AFonts) const {
  std::vector<bool> used(AColorCount, false);
  for (std::size_t i = 0; i < Count(); ++i) (*this)[i]->FillUsedColors(used, AFonts);
  return used;
}

void TFormatRecordList::Sort() {
  std::stable_sort(Records().begin(), Records().end(), [](const auto& A, const auto& B) {
    return static_cast<const TFormatRecord&>(*A).FormatId() <
           static_cast<const TFormatRecord&>(*B).FormatId();
  });
  FSorted = true;
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
  for (std::size_t i = 0; i < Count(); ++i)
    if ((*this)[i]->Value() == AFmt) return (*this)[i]->FormatId();
  if (int id = FBuiltIns.Find(AFmt); id >= 0) return id;
  int id = NewFormatId();
  Add(TFormatRecord::CreateFromData(AFmt, id));
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
