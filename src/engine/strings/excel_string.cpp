#include "engine/strings/excel_string.h"

#include <algorithm>
#include <cstring>

#include "base/exception.h"
#include "base/little_endian.h"

namespace engine::strings {

namespace {

std::uint8_t CheckedStrLenLength(int AStrLenLength) {
  if (AStrLenLength != 1 && AStrLenLength != 2) base::Raise(base::TMessage::StrLenLengthInvalid);
  return static_cast<std::uint8_t>(AStrLenLength);
}

}  // namespace

TExcelString::TExcelString(int AStrLenLength, biff::TRecordCursor& ACursor)
    : FStrLenLength(CheckedStrLenLength(AStrLenLength)) {
  std::uint8_t bytes[4] = {};
  biff::ReadRecordBytes(ACursor, FStrLenLength, bytes);
  FStrLen = FStrLenLength == 1 ? bytes[0] : base::LoadLE16(bytes);
  biff::ReadRecordBytes(ACursor, 1, &FOptionFlags);
  if (HasRichText()) {
    biff::ReadRecordBytes(ACursor, 2, bytes);
    FNumberRichTextFormats = base::LoadLE16(bytes);
  }
  std::uint32_t farEastSize = 0;
  if (HasFarInfo()) {
    biff::ReadRecordBytes(ACursor, 4, bytes);
    farEastSize = base::LoadLE32(bytes);
  }
  std::size_t read = 0;
  std::uint8_t governing = FOptionFlags;
  biff::ReadRecordChars(ACursor, FShortData, FWideData, FStrLen, read, governing, FOptionFlags);
  if (FOptionFlags & kStringWide)
    FShortData.clear();
  else
    FWideData.clear();
  FRichTextFormats.resize(4 * std::size_t{FNumberRichTextFormats});
  biff::ReadRecordBytes(ACursor, FRichTextFormats.size(), FRichTextFormats.data());
  biff::AppendRecordBytes(ACursor, farEastSize, FFarEastData);
}

TExcelString::TExcelString(int AStrLenLength, std::u16string_view AText, bool AForceWide)
    : FStrLenLength(CheckedStrLenLength(AStrLenLength)) {
  std::size_t limit = FStrLenLength == 1 ? 0xFF : 0xFFFF;
  if (AText.size() > limit) base::Raise(base::TMessage::InvalidStringRecord);
  FStrLen = static_cast<std::uint16_t>(AText.size());
  bool wide =
      AForceWide || std::any_of(AText.begin(), AText.end(), [](char16_t c) { return c > 0xFF; });
  if (wide) {
    FOptionFlags = kStringWide;
    FWideData = AText;
  } else {
    FShortData.reserve(AText.size());
    for (char16_t c : AText) FShortData.push_back(static_cast<char>(c));
  }
}

std::u16string TExcelString::Value() const {
  if (FOptionFlags & kStringWide) return FWideData;
  std::u16string text(FShortData.size(), u'\0');
  for (std::size_t i = 0; i < FShortData.size(); ++i)
    text[i] = static_cast<std::uint8_t>(FShortData[i]);
  return text;
}

TRTFRunList TExcelString::RTFRuns() const {
  TRTFRunList runs(FNumberRichTextFormats);
  for (std::size_t i = 0; i < runs.size(); ++i)
    runs[i] = {base::LoadLE16(FRichTextFormats.data() + 4 * i),
               base::LoadLE16(FRichTextFormats.data() + 4 * i + 2)};
  return runs;
}

std::int64_t TExcelString::TotalSize() const noexcept {
  std::int64_t size = FStrLenLength + 1 + std::int64_t{FStrLen} * GetCharSize();
  if (HasRichText()) size += 2 + std::int64_t{4} * FNumberRichTextFormats;
  if (HasFarInfo()) size += 4 + static_cast<std::int64_t>(FFarEastData.size());
  return size;
}

void TExcelString::CopyToPtr(std::span<std::uint8_t> ADestination, std::size_t APos,
                             bool AIncludeLen) const {
  std::size_t size = static_cast<std::size_t>(TotalSize()) - (AIncludeLen ? 0 : FStrLenLength);
  base::CheckRange(ADestination.size(), APos, size);
  std::uint8_t* out = ADestination.data() + APos;
  if (AIncludeLen) {
    if (FStrLenLength == 1)
      *out++ = static_cast<std::uint8_t>(FStrLen);
    else
      base::StoreLE16(std::exchange(out, out + 2), FStrLen);
  }
  *out++ = FOptionFlags;
  if (HasRichText()) base::StoreLE16(std::exchange(out, out + 2), FNumberRichTextFormats);
  if (HasFarInfo())
    base::StoreLE32(std::exchange(out, out + 4), static_cast<std::uint32_t>(FFarEastData.size()));
  if (FOptionFlags & kStringWide) {
    for (char16_t c : FWideData) base::StoreLE16(std::exchange(out, out + 2), c);
  } else if (!FShortData.empty()) {
    std::memcpy(out, FShortData.data(), FShortData.size());
    out += FShortData.size();
  }
  if (!FRichTextFormats.empty()) {
    std::memcpy(out, FRichTextFormats.data(), FRichTextFormats.size());
    out += FRichTextFormats.size();
  }
  if (!FFarEastData.empty()) std::memcpy(out, FFarEastData.data(), FFarEastData.size());
}

int TExcelString::Compare(const TExcelString& AOther) const noexcept {
  if (FStrLenLength != AOther.FStrLenLength) return FStrLenLength < AOther.FStrLenLength ? -1 : 1;
  if (FOptionFlags != AOther.FOptionFlags) return FOptionFlags < AOther.FOptionFlags ? -1 : 1;
  if (FOptionFlags & kStringWide) {
    int order = FWideData.compare(AOther.FWideData);
    return order < 0 ? -1 : order > 0 ? 1 : 0;
  }
  if (FShortData.size() != AOther.FShortData.size())
    return FShortData.size() < AOther.FShortData.size() ? -1 : 1;
  int order = std::memcmp(FShortData.data(), AOther.FShortData.data(), FShortData.size());
  return order < 0 ? -1 : order > 0 ? 1 : 0;
}

}  // namespace engine::strings
