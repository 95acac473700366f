#include "engine/formulas/formula_decoder.h"

#include <charconv>
#include <vector>

#include "base/byte_reader.h"
#include "engine/formulas/formula_stacks.h"
#include "engine/formulas/formula_tokens.h"
#include "engine/formulas/function_table.h"

namespace engine::formulas {

namespace {

using base::TMessage;

// Value and array variants of a classed token decode like its reference form.
constexpr std::uint8_t FoldClass(std::uint8_t AId) noexcept {
  return (AId & 0x40) != 0 ? static_cast<std::uint8_t>((AId & 0x3F) | 0x20)
                           : static_cast<std::uint8_t>(AId & 0x3F);
}

std::u16string Ascii(std::string_view AText) {
  return std::u16string(AText.begin(), AText.end());
}

std::u16string Decimal(std::uint64_t AValue) {
  char digits[24];
  auto end = std::to_chars(digits, digits + sizeof digits, AValue).ptr;
  return Ascii(std::string_view(digits, static_cast<std::size_t>(end - digits)));
}

std::u16string ErrorText(std::uint8_t ACode) {
  for (const auto& literal : kErrorLiterals)
    if (literal.Code == ACode) return std::u16string(literal.Text);
  return u"#TABRIX_UNKNOWN";
}

std::u16string QuotedString(std::u16string_view AText) {
  std::u16string out = u"\"";
  for (char16_t c : AText) {
    if (c == u'"') out += u'"';
    out += c;
  }
  out += u'"';
  return out;
}

// A string with an 8-bit or 16-bit character count and an option byte whose bit 0 selects two
// bytes per character.
std::u16string ReadString(base::TByteReader& AReader, std::size_t ACount) {
  bool wide = (AReader.U8() & 0x01) != 0;
  std::u16string text;
  text.reserve(ACount);
  for (std::size_t i = 0; i < ACount; ++i)
    text += wide ? static_cast<char16_t>(AReader.U16()) : static_cast<char16_t>(AReader.U8());
  return text;
}

// One corner of a reference: "$" before the parts that are absolute.
void AppendCorner(std::u16string& AOut, std::uint16_t ARow, std::uint16_t AColField) {
  if ((AColField & kColumnRelative) == 0) AOut += u'$';
  AOut += ColumnLetters(AColField & kColumnMask);
  if ((AColField & kRowRelative) == 0) AOut += u'$';
  AOut += Decimal(static_cast<std::uint64_t>(ARow) + 1);
}

std::u16string CornerText(std::uint16_t ARow, std::uint16_t AColField) {
  std::u16string out;
  AppendCorner(out, ARow, AColField);
  return out;
}

std::u16string AreaText(std::uint16_t ARow1, std::uint16_t ARow2, std::uint16_t ACol1,
                        std::uint16_t ACol2, bool AWholeColumns) {
  std::u16string out;
  if (AWholeColumns && ARow1 == 0 && ARow2 == kMaxRow) {
    // An area over all rows shows its columns only: A:C.
    if ((ACol1 & kColumnRelative) == 0) out += u'$';
    out += ColumnLetters(ACol1 & kColumnMask);
    out += u':';
    if ((ACol2 & kColumnRelative) == 0) out += u'$';
    out += ColumnLetters(ACol2 & kColumnMask);
    return out;
  }
  AppendCorner(out, ARow1, ACol1);
  out += u':';
  AppendCorner(out, ARow2, ACol2);
  return out;
}

class TDecoder {
public:
  TDecoder(std::span<const std::uint8_t> AData, std::size_t AFirstToken,
           const IFormulaContext& ACellList, bool AInsideArray)
      : FTokens(TokenBytes(AData, AFirstToken)),
        FExtra(AData.subspan(AFirstToken + FTokens.Remaining())),
        FCellList(ACellList),
        FInsideArray(AInsideArray) {}

  std::u16string Run() {
    while (!FTokens.AtEnd()) Step();
    return u"=" + FStack.Pop();
  }

private:
  static std::span<const std::uint8_t> TokenBytes(std::span<const std::uint8_t> AData,
                                                  std::size_t AFirstToken) {
    if (AFirstToken < 2) base::Raise(TMessage::ErrorReadingRecords);
    std::uint16_t length = base::GetU16(AData, AFirstToken - 2);
    base::CheckRange(AData.size(), AFirstToken, length);
    return AData.subspan(AFirstToken, length);
  }

  void Step() {
    const std::uint8_t id = FTokens.U8();
    const std::u16string spaces = FStack.FmSpaces;
    switch (FoldClass(id)) {
      case ptgExp:  // 0x01
        FStack.Push(ArrayFormulaText(id));
        break;
      case ptgTbl:  // 0x02
        FStack.Push(TableText(id));
        break;
      case ptgAdd:     // 0x03
      case ptgSub:     // 0x04
      case ptgMul:     // 0x05
      case ptgDiv:     // 0x06
      case ptgPower:   // 0x07
      case ptgConcat:  // 0x08
      case ptgLT:      // 0x09
      case ptgLE:      // 0x0A
      case ptgEQ:      // 0x0B
      case ptgGE:      // 0x0C
      case ptgGT:      // 0x0D
      case ptgNE:      // 0x0E
      case ptgIsect:   // 0x0F
      case ptgUnion:   // 0x10
      case ptgRange:   // 0x11
        Binary(spaces, FoldClass(id));
        break;
      case ptgUplus:  // 0x12
        FStack.Push(spaces + u"+" + FStack.Pop());
        break;
      case ptgUminus:  // 0x13
        FStack.Push(spaces + u"-" + FStack.Pop());
        break;
      case ptgPercent:  // 0x14
        FStack.Push(FStack.Pop() + spaces + u"%");
        break;
      case ptgParen: {  // 0x15
        std::u16string inner = FStack.Pop();
        FStack.Push(FStack.FmPreSpaces + u"(" + inner + FStack.FmPostSpaces + u")");
        break;
      }
      case ptgMissArg:  // 0x16
        FStack.Push(spaces);
        break;
      case ptgStr: {  // 0x17
        std::size_t count = FTokens.U8();
        FStack.Push(spaces + QuotedString(ReadString(FTokens, count)));
        break;
      }
      case ptgAttr:  // 0x19
        Attribute(spaces);
        break;
      case 0x1A:
      case 0x1B:
        break;
      case ptgErr:  // 0x1C
        FStack.Push(spaces + ErrorText(FTokens.U8()));
        break;
      case ptgBool:  // 0x1D
        FStack.Push(spaces + (FTokens.U8() == 1 ? u"TRUE" : u"FALSE"));
        break;
      case ptgInt:  // 0x1E
        FStack.Push(spaces + Decimal(FTokens.U16()));
        break;
      case ptgNum:  // 0x1F
        FStack.Push(spaces + NumberText(FTokens.F64()));
        break;
      case ptgArray:  // 0x20
        FTokens.Skip(7);
        FStack.Push(spaces + ArrayConstant());
        break;
      case ptgFunc: {  // 0x21
        const TCellFunctionData& function = Function(FTokens.U16());
        FStack.Push(spaces + CallText(function.Name, PopArguments(function.MaxArgCount)));
        break;
      }
      case ptgFuncVar:  // 0x22
        FStack.Push(spaces + VariableCall());
        break;
      case ptgName: {  // 0x23
        std::uint16_t index = FTokens.U16();
        FTokens.Skip(2);
        FStack.Push(spaces + FCellList.GetName(index));
        break;
      }
      case ptgRef:     // 0x24
      case ptgRefN: {  // 0x2C
        std::uint16_t row = FTokens.U16();
        std::uint16_t col = FTokens.U16();
        FStack.Push(spaces + CornerText(row, col));
        break;
      }
      case ptgArea:   // 0x25
      case ptgAreaN:  // 0x2D
        FStack.Push(spaces + ReadArea(true));
        break;
      case ptgMemArea:     // 0x26
      case ptgMemAreaN: {  // 0x2E
        FTokens.Skip(6);
        std::uint16_t rectangles = FExtra.U16();
        FExtra.Skip(8 * static_cast<std::size_t>(rectangles));
        break;
      }
      case ptgMemErr:     // 0x27
      case ptgMemNoMem:   // 0x28
      case ptgMemNoMemN:  // 0x2F
        FTokens.Skip(6);
        break;
      case ptgMemFunc:  // 0x29
        FTokens.Skip(2);
        break;
      case ptgRefErr:  // 0x2A
        FTokens.Skip(4);
        FStack.Push(spaces + u"#REF!");
        break;
      case ptgAreaErr:  // 0x2B
        FTokens.Skip(8);
        FStack.Push(spaces + u"#REF!");
        break;
      case ptgNameX: {  // 0x39
        std::uint16_t sheetRef = FTokens.U16();
        std::uint16_t index = FTokens.U16();
        FTokens.Skip(2);
        std::u16string prefix = SheetPrefix(sheetRef);
        FStack.Push(spaces + prefix + FCellList.GetExternName(sheetRef, index));
        break;
      }
      case ptgRef3d: {  // 0x3A
        std::uint16_t sheetRef = FTokens.U16();
        std::uint16_t row = FTokens.U16();
        std::uint16_t col = FTokens.U16();
        FStack.Push(spaces + Reference3d(sheetRef, CornerText(row, col)));
        break;
      }
      case ptgArea3d: {  // 0x3B
        std::uint16_t sheetRef = FTokens.U16();
        FStack.Push(spaces + Reference3d(sheetRef, ReadArea(false)));
        break;
      }
      case ptgRefErr3d:  // 0x3C
        FTokens.Skip(6);
        FStack.Push(spaces + u"#REF!");
        break;
      case ptgAreaErr3d:  // 0x3D
        FTokens.Skip(10);
        FStack.Push(spaces + u"#REF!");
        break;
      default:
        RaiseTokenError(id);
    }
  }

  void Binary(const std::u16string& ASpaces, std::uint8_t AOperator) {
    static constexpr std::u16string_view kOperators[] = {u"+", u"-",  u"*",  u"/", u"^",
                                                         u"&", u"<",  u"<=", u"=", u">=",
                                                         u">", u"<>", u" ",  u",", u":"};
    std::u16string right = FStack.Pop();
    std::u16string left = FStack.Pop();
    left += ASpaces;
    left += kOperators[AOperator - ptgAdd];
    left += right;
    FStack.Push(std::move(left));
  }

  void Attribute(const std::u16string& ASpaces) {
    std::uint8_t options = FTokens.U8();
    std::uint16_t data = FTokens.U16();
    if ((options & kAttrChoose) != 0) FTokens.Skip(2 * (static_cast<std::size_t>(data) + 1));
    if ((options & kAttrSum) != 0) FStack.Push(ASpaces + u"SUM(" + FStack.Pop() + u")");
    if ((options & kAttrSpace) != 0) {
      std::uint8_t kind = static_cast<std::uint8_t>(data & 0xFF);
      std::u16string run(data >> 8, (kind & 1) != 0 ? u'\r' : u' ');
      if (kind <= 1)
        FStack.FmSpaces = std::move(run);
      else if (kind <= 3)
        FStack.FmPreSpaces = std::move(run);
      else if (kind <= 5)
        FStack.FmPostSpaces = std::move(run);
    }
  }

  static const TCellFunctionData& Function(std::uint16_t ANumber) {
    if (ANumber >= kFunctionCount)
      base::Raise(TMessage::IndexOutOfRange, {ANumber, "Function name", 0, kFunctionCount - 1});
    return FunctionTable()[ANumber];
  }

  // The top ACount texts, in the order they were written.
  std::vector<std::u16string> PopArguments(std::size_t ACount) {
    FStack.AtLeast(ACount);
    std::vector<std::u16string> args(ACount);
    for (std::size_t i = ACount; i-- > 0;) args[i] = FStack.Pop();
    return args;
  }

  static std::u16string CallText(std::u16string_view AName,
                                 const std::vector<std::u16string>& AArgs) {
    std::u16string text(AName);
    text += u'(';
    for (std::size_t i = 0; i < AArgs.size(); ++i) {
      if (i > 0) text += u',';
      text += AArgs[i];
    }
    text += u')';
    return text;
  }

  std::u16string VariableCall() {
    const std::size_t count = FTokens.U8() & 0x7F;
    const std::uint16_t number = FTokens.U16();
    constexpr std::uint16_t kCallByName = 255;
    if (number != kCallByName) {
      std::u16string_view name = Function(number).Name;
      return CallText(name, PopArguments(count));
    }
    // A function called by name: its name is one operand more, below the arguments.
    const std::size_t argCount = count > 0 ? count - 1 : 0;
    FStack.AtLeast(argCount + 1);
    std::vector<std::u16string> args = PopArguments(argCount);
    return CallText(FStack.Pop(), args);
  }

  std::u16string ReadArea(bool AWholeColumns) {
    std::uint16_t row1 = FTokens.U16();
    std::uint16_t row2 = FTokens.U16();
    std::uint16_t col1 = FTokens.U16();
    std::uint16_t col2 = FTokens.U16();
    return AreaText(row1, row2, col1, col2, AWholeColumns);
  }

  // "'Sheet name'!" with quotes doubled, or nothing when the reference names no sheet.
  std::u16string SheetPrefix(std::uint16_t ASheetRef) const {
    std::u16string name = FCellList.GetSheetName(ASheetRef);
    if (name.empty()) return name;
    std::u16string prefix = u"'";
    for (char16_t c : name) {
      if (c == u'\'') prefix += u'\'';
      prefix += c;
    }
    prefix += u"'!";
    return prefix;
  }

  // A 3-D reference whose sheet is gone shows as #REF!, never as a reference to the formula's
  // own sheet.
  std::u16string Reference3d(std::uint16_t ASheetRef, const std::u16string& AReference) const {
    std::u16string prefix = SheetPrefix(ASheetRef);
    return prefix.empty() ? u"#REF!" : prefix + AReference;
  }

  std::u16string ArrayConstant() {
    const std::size_t columns = static_cast<std::size_t>(FExtra.U8()) + 1;
    const std::size_t rows = static_cast<std::size_t>(FExtra.U16()) + 1;
    std::u16string text = u"{";
    for (std::size_t row = 0; row < rows; ++row) {
      if (row > 0) text += u';';
      for (std::size_t col = 0; col < columns; ++col) {
        if (col > 0) text += u',';
        text += ArrayValue();
      }
    }
    text += u'}';
    return text;
  }

  std::u16string ArrayValue() {
    const std::uint8_t type = FExtra.U8();
    switch (type) {
      case 0x01:
        return NumberText(FExtra.F64());
      case 0x02: {
        std::size_t count = FExtra.U16();
        return QuotedString(ReadString(FExtra, count));
      }
      case 0x04: {
        bool value = FExtra.U8() == 1;
        FExtra.Skip(7);
        return value ? u"TRUE" : u"FALSE";
      }
      case 0x10: {
        std::u16string error = ErrorText(FExtra.U8());
        FExtra.Skip(7);
        return error;
      }
      default:
        RaiseTokenError(type);
    }
  }

  // The formula of the sheet's ARRAY record for the master cell, as "{=...}". An array
  // formula's own tokens never point at another array, so a second level is refused instead
  // of followed.
  std::u16string ArrayFormulaText(std::uint8_t AId) {
    std::uint16_t row = FTokens.U16();
    std::uint16_t col = FTokens.U16();
    if (FInsideArray) RaiseTokenError(AId);
    std::span<const std::uint8_t> array = FCellList.GetArrayRecord(row, col);
    if (array.empty()) RaiseTokenError(AId);
    constexpr std::size_t kArrayFirstToken = 14;
    return u"{" + TDecoder(array, kArrayFirstToken, FCellList, true).Run() + u"}";
  }

  // TABLE record: option flags at 6, first input cell at 8/10, second at 12/14.
  std::u16string TableText(std::uint8_t AId) {
    std::uint16_t row = FTokens.U16();
    std::uint16_t col = FTokens.U16();
    std::span<const std::uint8_t> table = FCellList.GetTableRecord(row, col);
    if (table.empty()) RaiseTokenError(AId);
    constexpr std::uint16_t kTwoInputs = 0x08;
    auto absolute = [&](std::size_t AOffset) {
      return CornerText(base::GetU16(table, AOffset),
                        base::GetU16(table, AOffset + 2) & kColumnMask);
    };
    std::u16string text = u"{=TABLE(" + absolute(8);
    if ((base::GetU16(table, 6) & kTwoInputs) != 0) text += u"," + absolute(12);
    return text + u")}";
  }

  base::TByteReader FTokens;
  base::TByteReader FExtra;
  const IFormulaContext& FCellList;
  const bool FInsideArray;
  TFormulaStack FStack;
};

}  // namespace

std::u16string ColumnLetters(int AColumn) {
  std::u16string letters;
  for (int n = AColumn + 1; n > 0; n = (n - 1) / 26)
    letters.insert(letters.begin(), static_cast<char16_t>(u'A' + (n - 1) % 26));
  return letters;
}

std::u16string NumberText(double AValue) {
  char text[40];
  auto end = std::to_chars(text, text + sizeof text, AValue, std::chars_format::general, 15).ptr;
  std::u16string out;
  for (char* c = text; c != end; ++c) out += *c == 'e' ? u'E' : static_cast<char16_t>(*c);
  return out;
}

std::u16string DecodeFormula(std::span<const std::uint8_t> AData, std::size_t AFirstToken,
                             const IFormulaContext& ACellList) {
  return TDecoder(AData, AFirstToken, ACellList, false).Run();
}

}  // namespace engine::formulas
