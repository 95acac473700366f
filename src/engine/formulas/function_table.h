// The built-in functions that formulas can call, one entry per function number 0-367.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace engine::formulas {

// Operand class wanted for a formula, an argument or a function's result.
enum class TFmReturnType : std::uint8_t { fmValue = 0, fmRef = 1, fmArray = 2 };

struct TCellFunctionData {
  int Index;  // the function number stored in ptgFunc and ptgFuncVar
  std::u16string_view Name;
  int MinArgCount;
  int MaxArgCount;
  bool Volatile;
  TFmReturnType ReturnType;
  // One class per argument: "V" value, "R" reference, "A" array; arguments beyond its length
  // take its last character. "-" for functions without arguments.
  std::string_view ParamType;

  // The class the argument at the 0-based APosition is converted to.
  TFmReturnType ParamClass(int APosition) const noexcept;
};

inline constexpr int kFunctionCount = 368;

// All 368 entries in number order; unused numbers are named "NotAFunction<n>".
std::span<const TCellFunctionData> FunctionTable() noexcept;

// The entry whose name equals AName exactly (case-sensitive), or nullptr. The unused entries'
// names hold lower-case letters, so an upper-cased name never finds them.
const TCellFunctionData* FindFunction(std::u16string_view AName) noexcept;

}  // namespace engine::formulas
