// Formula encoding: the text of a cell or name formula ("=SUM(A1:B2)*2") to its parsed
// expression, the postfix token array that FORMULA and NAME records store.
//
// Grammar, from the lowest precedence to the highest (binary levels are left-associative):
//   comparison  = < > <= >= <>        postfix   %            (any number of times)
//   concatenate &                     prefix    + -          (a run of signs)
//   additive    + -                   reference : ,          ("," separates arguments
//   multiply    * /                                           directly inside a call)
//   power       ^                     primary   ( ) "text" #ERROR! number TRUE FALSE
//                                               A1 $A$1 A1:B2 A:C 1:3 Sheet!A1 'My sheet'!A1
//                                               Sheet1:Sheet3!A1 FUNCTION(args)
// Runs of spaces are kept as ptgAttr space tokens in front of the token of the element that
// follows them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "engine/formulas/formula_context.h"
#include "engine/formulas/formula_stacks.h"
#include "engine/formulas/function_table.h"

namespace engine::formulas {

class TParseString {
public:
  // A cell formula: references stay as written.
  TParseString(std::u16string aw, IFormulaContext& aCellList, TFmReturnType AReturnType);
  // With aForce3D every reference without a sheet name becomes an absolute 3-D reference to
  // the sheet named aDefault3DExternSheet (defined names).
  TParseString(std::u16string aw, IFormulaContext& aCellList, bool aForce3D,
               std::u16string aDefault3DExternSheet, TFmReturnType AReturnType);

  // Encodes the text; raises the engine's error with the message of the first fault found.
  // Sheet reference entries are added only for a formula that encodes.
  void Parse();

  // 2 + the number of token bytes.
  std::size_t TotalSize() const noexcept { return 2 + FParsedData.size(); }
  // The 16-bit token count at APos and the tokens behind it.
  void CopyToPtr(std::span<std::uint8_t> APtr, std::size_t APos) const;
  // The tokens only.
  void CopyToPtrNoLen(std::span<std::uint8_t> APtr, std::size_t ADestIndex) const;
  std::span<const std::uint8_t> ParsedData() const noexcept { return FParsedData; }

private:
  struct TCorner;
  struct TSheetRange {
    int FirstSheet;
    int LastSheet;
  };
  struct TPendingSheet {
    std::size_t Offset;  // of the token's 16-bit sheet reference index
    TSheetRange Sheets;
  };

  // Characters: -1 stands for the end of the text.
  int Peek(std::size_t AAhead = 0) const noexcept;
  std::size_t SpacesAhead() const noexcept;  // length of the run of spaces at ParsePos
  int PeekPastSpaces() const noexcept;
  char16_t NextChar();
  bool AtEnd() const noexcept { return Peek() < 0; }
  void RecordSpaces(std::uint8_t AKind);
  void SkipSpaces();
  void EmitSpaces();

  // Grammar levels.
  void Binary(int ALevel);
  void Percent();
  void Signs();
  void ReferenceOperators();
  void Primary();
  void Parenthesis();
  void StringConstant();
  void ErrorLiteral();
  void NumberConstant();
  void Identifier();
  void QuotedSheet();
  void FunctionCall(const std::u16string& AName);
  void SheetReference(std::u16string_view ASheets);
  bool ReadCorner(TCorner& ACorner);
  bool TryReference(const TSheetRange* ASheets);

  // Tokens.
  void BeginToken(std::uint8_t AId);
  void Add8(std::uint8_t AValue) { FParsedData.push_back(AValue); }
  void Add16(std::uint16_t AValue);
  void AddReference(const TCorner& AFirst, const TCorner* ALast, const TSheetRange* ASheets);
  void ConvertLastOperand(TFmReturnType AClass);
  void ResolveSheets();
  void SelfCheck() const;

  bool InArgumentList() const noexcept;
  [[noreturn]] void RaiseUnexpectedChar() const;
  [[noreturn]] void RaiseUnexpectedEnd() const;

  std::size_t ParsePos = 1;  // 1-based position of the next character of Fw
  std::u16string Fw;
  std::vector<std::uint8_t> FParsedData;
  std::string DirectlyInFormula;  // '1' inside a call's argument list, '0' inside parentheses
  std::ptrdiff_t LastRefOp = -1;  // the last token that is neither a parenthesis nor spaces
  IFormulaContext* FCellList;     // not owned
  TWhiteSpaceStack StackWs;
  std::u16string Default3DExternSheet;
  bool Force3d = false;
  TFmReturnType InitialRefMode;
  std::vector<TPendingSheet> FPendingSheets;
  std::vector<std::size_t> FNextNonSpace;  // per position: the first non-space at or after it
};

}  // namespace engine::formulas
