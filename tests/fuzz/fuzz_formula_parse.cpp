// Fuzz target: arbitrary UTF-8 text encoded as a cell formula. Invariant (CheckEncoding): the
// text encodes, decodes and settles after one round, or raises one of the encoder's messages.
#include <cstdint>
#include <string_view>

#include "base/utf.h"
#include "formula_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize) {
  std::string_view bytes(reinterpret_cast<const char*>(AData), ASize);
  formula_fuzz::TFormulaTestWorkbook workbook = formula_fuzz::Workbook();
  formula_fuzz::CheckEncoding(base::Utf8ToUtf16(bytes), workbook);
  return 0;
}
