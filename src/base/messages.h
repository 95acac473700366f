// The one table of message format texts and the helper that fills their placeholders.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace base {

enum class TMessage : std::uint16_t {
#define MSG(name, text) name,
#include "base/messages.def"
#undef MSG
};

// The format text of a message, exactly as the table gives it.
std::string_view MessageFormat(TMessage AMessage) noexcept;

// One value for a placeholder: an integer (%d, %x) or a text (%s).
class TFormatArg {
public:
  template <class I, class = std::enable_if_t<std::is_integral_v<I>>>
  TFormatArg(I AValue) : FValue(static_cast<std::int64_t>(AValue)) {}
  TFormatArg(std::string_view AText) : FValue(std::string(AText)) {}
  TFormatArg(const char* AText) : FValue(std::string(AText)) {}
  TFormatArg(const std::string& AText) : FValue(AText) {}
  TFormatArg(std::u16string_view AText);

  const std::variant<std::int64_t, std::string>& Value() const noexcept { return FValue; }

private:
  std::variant<std::int64_t, std::string> FValue;
};

// Fills the placeholders of AFormat in order. A placeholder without a value stays as written,
// so "Invalid file name - %s" can be shown unexpanded.
std::string FormatText(std::string_view AFormat, std::initializer_list<TFormatArg> AArgs);

inline std::string Message(TMessage AMessage, std::initializer_list<TFormatArg> AArgs = {}) {
  return FormatText(MessageFormat(AMessage), AArgs);
}

}  // namespace base
