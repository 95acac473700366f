#include "engine/formulas/formula_parser.h"

#include <charconv>
#include <cmath>
#include <optional>

#include "base/little_endian.h"
#include "base/utf.h"
#include "engine/formulas/formula_decoder.h"
#include "engine/formulas/formula_tokens.h"
#include "engine/formulas/identifier_chars.h"

namespace engine::formulas {

namespace {

using base::TMessage;

// At most this many characters, the "=" included, can be consumed.
constexpr std::size_t kMaxFormulaLength = 1023;
constexpr std::size_t kMaxStringLength = 255;

bool IsDigit(int AChar) noexcept {
  return AChar >= '0' && AChar <= '9';
}
bool IsReferenceLetter(int AChar) noexcept {
  return (AChar >= 'A' && AChar <= 'Z') || (AChar >= 'a' && AChar <= 'z');
}

// Texts as message arguments.
std::u16string_view View(const std::u16string& AText) noexcept {
  return AText;
}

std::u16string AsciiUpperCase(std::u16string_view AText) {
  std::u16string upper(AText);
  for (char16_t& c : upper) c = base::AsciiUpper(c);
  return upper;
}

std::uint8_t ClassBits(TFmReturnType AClass) noexcept {
  switch (AClass) {
    case TFmReturnType::fmRef:
      return kClassRef;
    case TFmReturnType::fmArray:
      return kClassArray;
    case TFmReturnType::fmValue:
      break;
  }
  return kClassValue;
}

struct TOperator {
  std::uint8_t Token;
  std::size_t Length;
};

// The operator of a binary level at ANext (the characters after a run of spaces), if any.
std::optional<TOperator> MatchOperator(int ALevel, int ANext, int AAfter) {
  switch (ALevel) {
    case 1:
      if (ANext == '=') return TOperator{ptgEQ, 1};
      if (ANext == '<') {
        if (AAfter == '=') return TOperator{ptgLE, 2};
        if (AAfter == '>') return TOperator{ptgNE, 2};
        return TOperator{ptgLT, 1};
      }
      if (ANext == '>') return AAfter == '=' ? TOperator{ptgGE, 2} : TOperator{ptgGT, 1};
      break;
    case 2:
      if (ANext == '&') return TOperator{ptgConcat, 1};
      break;
    case 3:
      if (ANext == '+') return TOperator{ptgAdd, 1};
      if (ANext == '-') return TOperator{ptgSub, 1};
      break;
    case 4:
      if (ANext == '*') return TOperator{ptgMul, 1};
      if (ANext == '/') return TOperator{ptgDiv, 1};
      break;
    case 5:
      if (ANext == '^') return TOperator{ptgPower, 1};
      break;
  }
  return std::nullopt;
}

constexpr int kLastBinaryLevel = 5;

}  // namespace

// One corner of an A1 reference as read: its 1-based column and row, which of them were
// written, and which were marked absolute with "$".
struct TParseString::TCorner {
  int Col = 0;
  int Row = 0;
  bool HasLetters = false;
  bool HasDigits = false;
  bool ColAbsolute = false;
  bool RowAbsolute = false;

  bool Valid() const noexcept { return Col >= 1 && Col <= 256 && Row >= 1 && Row <= 65536; }
};

TParseString::TParseString(std::u16string aw, IFormulaContext& aCellList, TFmReturnType AReturnType)
    : Fw(std::move(aw)), FCellList(&aCellList), InitialRefMode(AReturnType) {}

TParseString::TParseString(std::u16string aw, IFormulaContext& aCellList, bool aForce3D,
                           std::u16string aDefault3DExternSheet, TFmReturnType AReturnType)
    : Fw(std::move(aw)),
      FCellList(&aCellList),
      Default3DExternSheet(std::move(aDefault3DExternSheet)),
      Force3d(aForce3D),
      InitialRefMode(AReturnType) {}

void TParseString::Parse() {
  LastRefOp = -1;
  DirectlyInFormula.clear();
  FParsedData.clear();
  FPendingSheets.clear();
  StackWs = TWhiteSpaceStack();
  ParsePos = 1;
  // Where each run of spaces ends, so that looking past one costs the same however long the
  // text is.
  FNextNonSpace.assign(Fw.size() + 1, Fw.size());
  for (std::size_t i = Fw.size(); i-- > 0;)
    FNextNonSpace[i] = Fw[i] == u' ' ? FNextNonSpace[i + 1] : i;
  if (Peek() != '=') base::Raise(TMessage::FormulaMustStartWithEquals, {View(Fw)});
  NextChar();
  Binary(1);
  ConvertLastOperand(InitialRefMode);
  if (!AtEnd()) RaiseUnexpectedChar();
  if (StackWs.Count() != 0) base::Raise(TMessage::LogicalError);
  ResolveSheets();
  SelfCheck();
}

void TParseString::CopyToPtr(std::span<std::uint8_t> APtr, std::size_t APos) const {
  base::SetU16(APtr, APos, static_cast<std::uint16_t>(FParsedData.size()));
  CopyToPtrNoLen(APtr, APos + 2);
}

void TParseString::CopyToPtrNoLen(std::span<std::uint8_t> APtr, std::size_t ADestIndex) const {
  base::CheckRange(APtr.size(), ADestIndex, FParsedData.size());
  std::copy(FParsedData.begin(), FParsedData.end(),
            APtr.begin() + static_cast<std::ptrdiff_t>(ADestIndex));
}

// ---- characters ----

int TParseString::Peek(std::size_t AAhead) const noexcept {
  std::size_t at = ParsePos - 1 + AAhead;
  return at < Fw.size() ? Fw[at] : -1;
}

std::size_t TParseString::SpacesAhead() const noexcept {
  return FNextNonSpace[ParsePos - 1] - (ParsePos - 1);
}

int TParseString::PeekPastSpaces() const noexcept {
  return Peek(SpacesAhead());
}

char16_t TParseString::NextChar() {
  if (AtEnd()) RaiseUnexpectedEnd();
  if (ParsePos >= kMaxFormulaLength + 1) base::Raise(TMessage::FormulaTooLong, {View(Fw)});
  return Fw[ParsePos++ - 1];
}

void TParseString::RecordSpaces(std::uint8_t AKind) {
  std::uint8_t count = 0;
  while (Peek() == ' ') {
    NextChar();
    if (count < 255) ++count;
  }
  StackWs.Push({count, AKind});
}

void TParseString::SkipSpaces() {
  while (Peek() == ' ') NextChar();
}

void TParseString::EmitSpaces() {
  TWhiteSpace spaces = StackWs.Pop();
  if (spaces.Count == 0) return;
  FParsedData.insert(FParsedData.end(), {ptgAttr, kAttrSpace, spaces.Kind, spaces.Count});
}

bool TParseString::InArgumentList() const noexcept {
  return !DirectlyInFormula.empty() && DirectlyInFormula.back() == '1';
}

void TParseString::RaiseUnexpectedChar() const {
  std::size_t at = ParsePos - 1;
  std::size_t length = 1;
  // A character outside the basic plane is shown whole.
  if (at + 1 < Fw.size() && Fw[at] >= 0xD800 && Fw[at] <= 0xDBFF && Fw[at + 1] >= 0xDC00 &&
      Fw[at + 1] <= 0xDFFF)
    length = 2;
  base::Raise(TMessage::UnexpectedChar,
              {std::u16string_view(Fw).substr(at, length), ParsePos, View(Fw)});
}

void TParseString::RaiseUnexpectedEnd() const {
  base::Raise(TMessage::UnexpectedEndOfFormula, {View(Fw)});
}

// ---- grammar ----

void TParseString::Binary(int ALevel) {
  auto operand = [&] {
    if (ALevel < kLastBinaryLevel)
      Binary(ALevel + 1);
    else
      Percent();
  };
  operand();
  for (;;) {
    const std::size_t spaces = SpacesAhead();
    std::optional<TOperator> op = MatchOperator(ALevel, Peek(spaces), Peek(spaces + 1));
    if (!op) return;
    ConvertLastOperand(TFmReturnType::fmValue);
    RecordSpaces(kSpaceBeforeOperand);
    for (std::size_t i = 0; i < op->Length; ++i) NextChar();
    operand();
    ConvertLastOperand(TFmReturnType::fmValue);
    EmitSpaces();
    BeginToken(op->Token);
  }
}

void TParseString::Percent() {
  Signs();
  while (PeekPastSpaces() == '%') {
    ConvertLastOperand(TFmReturnType::fmValue);
    RecordSpaces(kSpaceBeforeOperand);
    NextChar();
    EmitSpaces();
    BeginToken(ptgPercent);
  }
}

// The sign nearest to the operand applies first, so the tokens follow the operand in the
// reverse of the written order: -+A1 is A1 ptgUplus ptgUminus.
void TParseString::Signs() {
  std::u16string signs;
  for (int next = PeekPastSpaces(); next == '+' || next == '-'; next = PeekPastSpaces()) {
    RecordSpaces(kSpaceBeforeOperand);
    signs += NextChar();
  }
  ReferenceOperators();
  if (signs.empty()) return;
  ConvertLastOperand(TFmReturnType::fmValue);
  for (auto sign = signs.rbegin(); sign != signs.rend(); ++sign) {
    EmitSpaces();
    BeginToken(*sign == u'+' ? ptgUplus : ptgUminus);
  }
}

void TParseString::ReferenceOperators() {
  Primary();
  for (;;) {
    int next = PeekPastSpaces();
    std::uint8_t op;
    if (next == ':')
      op = ptgRange;
    else if (next == ',' && !InArgumentList())
      op = ptgUnion;
    else
      return;
    RecordSpaces(kSpaceBeforeOperand);
    NextChar();
    Primary();
    EmitSpaces();
    BeginToken(op);
  }
}

void TParseString::Primary() {
  int next = PeekPastSpaces();
  if (next < 0) RaiseUnexpectedEnd();
  RecordSpaces(next == '(' ? kSpaceBeforeOpenParen : kSpaceBeforeOperand);
  if (next >= 256) RaiseUnexpectedChar();
  switch (next) {
    case '(':
      Parenthesis();
      return;
    case '"':
      StringConstant();
      return;
    case '{':
      base::Raise(TMessage::ArrayFormulasNotSupported);
    case '#':
      ErrorLiteral();
      return;
  }
  if (TryReference(nullptr)) return;
  if (IsDigit(next) || next == '.')
    NumberConstant();
  else if (IsFormulaLetter(static_cast<char16_t>(next)) || next == '_' || next == '\\')
    Identifier();
  else if (next == '\'')
    QuotedSheet();
  else
    RaiseUnexpectedChar();
}

void TParseString::Parenthesis() {
  NextChar();
  DirectlyInFormula += '0';
  Binary(1);
  if (PeekPastSpaces() != ')') base::Raise(TMessage::MissingClosingParentheses, {View(Fw)});
  RecordSpaces(kSpaceBeforeCloseParen);
  NextChar();
  DirectlyInFormula.pop_back();
  // The run before ")" goes first, then the one before "(", both just before ptgParen.
  EmitSpaces();
  EmitSpaces();
  FParsedData.push_back(ptgParen);
}

void TParseString::StringConstant() {
  NextChar();
  std::u16string text;
  for (;;) {
    if (AtEnd()) base::Raise(TMessage::UnterminatedString, {View(Fw)});
    char16_t c = NextChar();
    if (c == u'"') {
      if (Peek() != '"') break;
      NextChar();
    }
    text += c;
  }
  if (text.size() > kMaxStringLength) base::Raise(TMessage::InvalidStringRecord);
  bool wide = false;
  for (char16_t c : text) wide = wide || c > 0xFF;
  EmitSpaces();
  BeginToken(ptgStr);
  Add8(static_cast<std::uint8_t>(text.size()));
  Add8(wide ? 1 : 0);
  for (char16_t c : text) {
    if (wide)
      Add16(c);
    else
      Add8(static_cast<std::uint8_t>(c));
  }
}

void TParseString::ErrorLiteral() {
  std::u16string text;
  for (;;) {
    text += base::AsciiUpper(NextChar());
    for (const auto& literal : kErrorLiterals) {
      if (text != literal.Text) continue;
      EmitSpaces();
      BeginToken(ptgErr);
      Add8(literal.Code);
      return;
    }
    if (text.size() > MaxErrorLen)
      base::Raise(TMessage::UnexpectedIdentifier, {View(text), View(Fw)});
  }
}

void TParseString::NumberConstant() {
  std::string text;
  while (IsDigit(Peek()) || Peek() == '.') text += static_cast<char>(NextChar());
  if (Peek() == 'e' || Peek() == 'E') {
    text += static_cast<char>(NextChar());
    if (Peek() == '+' || Peek() == '-') text += static_cast<char>(NextChar());
    while (IsDigit(Peek())) text += static_cast<char>(NextChar());
  }
  double value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size())
    base::Raise(TMessage::InvalidNumber, {text});
  EmitSpaces();
  if (value >= 0 && value <= 65535 && value == std::floor(value)) {
    BeginToken(ptgInt);
    Add16(static_cast<std::uint16_t>(value));
    return;
  }
  BeginToken(ptgNum);
  std::uint8_t bytes[8];
  base::StoreLEDouble(bytes, value);
  FParsedData.insert(FParsedData.end(), bytes, bytes + 8);
}

void TParseString::Identifier() {
  std::size_t start = ParsePos - 1;
  while (Peek() >= 0 && IsIdentifierChar(static_cast<char16_t>(Peek()))) NextChar();
  std::u16string name = AsciiUpperCase(std::u16string_view(Fw).substr(start, ParsePos - 1 - start));
  if (Peek() == '(') {
    FunctionCall(name);
  } else if (Peek() == '!') {
    NextChar();
    SheetReference(name);
  } else if (name == u"TRUE" || name == u"FALSE") {
    EmitSpaces();
    BeginToken(ptgBool);
    Add8(name == u"TRUE" ? 1 : 0);
  } else {
    base::Raise(TMessage::UnexpectedIdentifier, {View(name), View(Fw)});
  }
}

void TParseString::QuotedSheet() {
  NextChar();
  std::u16string name;
  for (;;) {
    if (AtEnd()) base::Raise(TMessage::UnterminatedString, {View(Fw)});
    char16_t c = NextChar();
    if (c == u'\'') {
      if (Peek() != '\'') break;
      NextChar();
    }
    name += c;
  }
  if (AtEnd()) RaiseUnexpectedEnd();
  if (Peek() != '!') RaiseUnexpectedChar();
  NextChar();
  SheetReference(name);
}

void TParseString::FunctionCall(const std::u16string& AName) {
  const TCellFunctionData* function = FindFunction(AName);
  if (function == nullptr) base::Raise(TMessage::FunctionNotFound, {View(AName), View(Fw)});
  NextChar();
  DirectlyInFormula += '1';
  int count = 0;
  for (;;) {
    int next = PeekPastSpaces();
    if (next < 0) {
      if (count == 0) base::Raise(TMessage::MissingClosingParentheses, {View(Fw)});
      RaiseUnexpectedEnd();
    }
    if (next == ')' && count == 0) {
      // No arguments at all.
      RecordSpaces(kSpaceBeforeCloseParen);
      EmitSpaces();
      NextChar();
      break;
    }
    if (next == ',' || next == ')') {
      BeginToken(ptgMissArg);
    } else {
      Binary(1);
      ConvertLastOperand(function->ParamClass(count));
    }
    ++count;
    next = PeekPastSpaces();
    if (next < 0) RaiseUnexpectedEnd();
    if (next == ')') {
      // Kept behind the last argument's tokens.
      RecordSpaces(kSpaceBeforeCloseParen);
      EmitSpaces();
      NextChar();
      break;
    }
    if (next != ',') {
      RaiseUnexpectedChar();
    }
    SkipSpaces();
    NextChar();
    if (AtEnd()) RaiseUnexpectedEnd();
  }
  DirectlyInFormula.pop_back();
  if (count < function->MinArgCount || count > function->MaxArgCount)
    base::Raise(TMessage::InvalidNumberOfParameters, {View(AName), function->MinArgCount, count});
  EmitSpaces();
  const std::uint8_t classBits = ClassBits(function->ReturnType);
  const auto number = static_cast<std::uint16_t>(function->Index);
  if (function->MinArgCount == function->MaxArgCount) {
    BeginToken(static_cast<std::uint8_t>((ptgFunc & 0x1F) | classBits));
    Add16(number);
  } else {
    BeginToken(static_cast<std::uint8_t>((ptgFuncVar & 0x1F) | classBits));
    Add8(static_cast<std::uint8_t>(count));
    Add16(number);
  }
}

// ASheets: the sheet name, or two joined by ":", just read together with its "!".
void TParseString::SheetReference(std::u16string_view ASheets) {
  std::size_t colon = ASheets.find(u':');
  std::u16string_view firstName = ASheets.substr(0, colon);
  std::u16string_view lastName =
      colon == std::u16string_view::npos ? firstName : ASheets.substr(colon + 1);
  TSheetRange sheets{FCellList->FindSheet(firstName), 0};
  if (sheets.FirstSheet < 0) base::Raise(TMessage::InvalidSheet, {firstName});
  sheets.LastSheet = FCellList->FindSheet(lastName);
  if (sheets.LastSheet < 0) base::Raise(TMessage::InvalidSheet, {lastName});

  const std::size_t start = ParsePos;
  if (TryReference(&sheets)) return;
  // A lone column or row that makes no area.
  TCorner corner;
  if (ReadCorner(corner) && (AtEnd() || !IsIdentifierChar(static_cast<char16_t>(Peek()))))
    base::Raise(TMessage::UnexpectedIdentifier,
                {std::u16string_view(Fw).substr(start - 1, ParsePos - start), View(Fw)});
  ParsePos = start;
  while (Peek() >= 0 && IsIdentifierChar(static_cast<char16_t>(Peek()))) NextChar();
  if (ParsePos == start) {
    if (AtEnd()) RaiseUnexpectedEnd();
    RaiseUnexpectedChar();
  }
  std::u16string word = AsciiUpperCase(std::u16string_view(Fw).substr(start - 1, ParsePos - start));
  base::Raise(TMessage::ExternalNamesNotSupported, {View(word)});
}

// Reads "$"? letters "$"? digits at ParsePos; returns whether it read anything.
bool TParseString::ReadCorner(TCorner& ACorner) {
  if (Peek() == '$' && IsReferenceLetter(Peek(1))) {
    ACorner.ColAbsolute = true;
    NextChar();
  }
  while (IsReferenceLetter(Peek())) {
    int letter = base::AsciiUpper(static_cast<char16_t>(Peek())) - u'A' + 1;
    if (ACorner.Col * 26 + letter > 256) break;
    ACorner.Col = ACorner.Col * 26 + letter;
    ACorner.HasLetters = true;
    NextChar();
  }
  if (Peek() == '$' && IsDigit(Peek(1))) {
    ACorner.RowAbsolute = true;
    NextChar();
  }
  while (IsDigit(Peek()) && ACorner.Row < 65537) {
    ACorner.Row = ACorner.Row * 10 + (Peek() - '0');
    ACorner.HasDigits = true;
    NextChar();
  }
  return ACorner.HasLetters || ACorner.HasDigits;
}

// A reference or area at ParsePos; with nothing of the kind there, ParsePos stays.
bool TParseString::TryReference(const TSheetRange* ASheets) {
  const std::size_t start = ParsePos;
  TCorner first;
  if (!ReadCorner(first)) {
    ParsePos = start;
    return false;
  }
  const std::size_t afterFirst = ParsePos;
  if (Peek() == ':') {
    NextChar();
    TCorner last;
    ReadCorner(last);
    bool wholeColumns = first.HasLetters && last.HasLetters && !first.HasDigits && !last.HasDigits;
    bool wholeRows = first.HasDigits && last.HasDigits && !first.HasLetters && !last.HasLetters;
    if (wholeColumns) {
      first.Row = 1;
      last.Row = 65536;
    }
    if (wholeRows) {
      first.Col = 1;
      last.Col = 256;
    }
    bool complete = first.HasLetters && first.HasDigits && last.HasLetters && last.HasDigits;
    if ((wholeColumns || wholeRows || complete) && first.Valid() && last.Valid()) {
      AddReference(first, &last, ASheets);
      return true;
    }
    ParsePos = afterFirst;
  }
  if (first.HasLetters && first.HasDigits && first.Valid()) {
    AddReference(first, nullptr, ASheets);
    return true;
  }
  ParsePos = start;
  return false;
}

// ---- tokens ----

void TParseString::BeginToken(std::uint8_t AId) {
  LastRefOp = static_cast<std::ptrdiff_t>(FParsedData.size());
  FParsedData.push_back(AId);
}

void TParseString::Add16(std::uint16_t AValue) {
  FParsedData.push_back(static_cast<std::uint8_t>(AValue));
  FParsedData.push_back(static_cast<std::uint8_t>(AValue >> 8));
}

void TParseString::AddReference(const TCorner& AFirst, const TCorner* ALast,
                                const TSheetRange* ASheets) {
  TSheetRange defaultSheet{};
  bool absolute = false;
  if (ASheets == nullptr && Force3d) {
    int sheet = FCellList->FindSheet(Default3DExternSheet);
    if (sheet < 0) base::Raise(TMessage::InvalidSheet, {View(Default3DExternSheet)});
    defaultSheet = {sheet, sheet};
    ASheets = &defaultSheet;
    absolute = true;
  }
  auto columnField = [absolute](const TCorner& ACorner) {
    std::uint16_t field = static_cast<std::uint16_t>(ACorner.Col - 1);
    if (!absolute && !ACorner.ColAbsolute) field |= kColumnRelative;
    if (!absolute && !ACorner.RowAbsolute) field |= kRowRelative;
    return field;
  };
  EmitSpaces();
  if (ASheets != nullptr) {
    BeginToken(ALast == nullptr ? ptgRef3d : ptgArea3d);
    FPendingSheets.push_back({FParsedData.size(), *ASheets});
    Add16(0);
  } else {
    BeginToken(ALast == nullptr ? ptgRef : ptgArea);
  }
  Add16(static_cast<std::uint16_t>(AFirst.Row - 1));
  if (ALast == nullptr) {
    Add16(columnField(AFirst));
    return;
  }
  Add16(static_cast<std::uint16_t>(ALast->Row - 1));
  Add16(columnField(AFirst));
  Add16(columnField(*ALast));
}

void TParseString::ConvertLastOperand(TFmReturnType AClass) {
  if (LastRefOp < 0) base::Raise(TMessage::LogicalError);
  std::uint8_t& id = FParsedData[static_cast<std::size_t>(LastRefOp)];
  if ((id & kClassMask) == 0 || AClass == TFmReturnType::fmRef) return;
  if (AClass == TFmReturnType::fmValue && (id & kClassMask) == kClassArray) return;
  id = static_cast<std::uint8_t>((id & ~kClassMask) | ClassBits(AClass));
}

// The sheet reference entries of the 3-D references, added once the text has encoded.
void TParseString::ResolveSheets() {
  for (const TPendingSheet& pending : FPendingSheets) {
    int index = FCellList->AddExternSheet(pending.Sheets.FirstSheet, pending.Sheets.LastSheet);
    if (index < 0 || index > 0xFFFF) base::Raise(TMessage::LogicalError);
    base::SetU16(FParsedData, pending.Offset, static_cast<std::uint16_t>(index));
  }
}

void TParseString::SelfCheck() const {
  std::vector<std::uint8_t> counted(TotalSize());
  CopyToPtr(counted, 0);
  try {
    DecodeFormula(counted, 2, *FCellList);
  } catch (const base::Exception&) {
    base::Raise(TMessage::FormulaCantBeEvaluated, {View(Fw)});
  }
}

}  // namespace engine::formulas
