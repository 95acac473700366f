// The number formats every workbook knows without a FORMAT record: ids 0..49 (General is the
// empty text; ids without a text here have an empty one). Ids 14 and 22, the short date and
// date-time, follow the locale's day order and separators.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "base/locale_settings.h"

namespace engine::records {

// The first id free for a workbook's own number formats.
inline constexpr int kFirstUserFormatId = 164;

class TBuiltInFormats {
 public:
  static constexpr int kCount = 50;

  explicit TBuiltInFormats(const base::TXlsLocaleSettings& ASettings);

  // The text of AId, 0 <= AId < kCount.
  const std::u16string& Text(int AId) const { return FTexts.at(static_cast<std::size_t>(AId)); }
  // The first id whose text equals AText exactly, or -1.
  int Find(std::u16string_view AText) const noexcept;

 private:
  std::array<std::u16string, kCount> FTexts;
};

}  // namespace engine::records
