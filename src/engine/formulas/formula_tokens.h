// The parsed-expression tokens of a BIFF8 formula: ids, operand class bits, the column field of
// cell references and the error codes, shared by the encoder, the decoder and the token walker.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "base/exception.h"

namespace engine::formulas {

// Base ids. A classed token (0x20 and up) carries its operand class in bits 5-6: the base id
// stands for the reference class, +0x20 for value and +0x40 for array.
inline constexpr std::uint8_t ptgExp = 0x01;
inline constexpr std::uint8_t ptgTbl = 0x02;
inline constexpr std::uint8_t ptgAdd = 0x03;
inline constexpr std::uint8_t ptgSub = 0x04;
inline constexpr std::uint8_t ptgMul = 0x05;
inline constexpr std::uint8_t ptgDiv = 0x06;
inline constexpr std::uint8_t ptgPower = 0x07;
inline constexpr std::uint8_t ptgConcat = 0x08;
inline constexpr std::uint8_t ptgLT = 0x09;
inline constexpr std::uint8_t ptgLE = 0x0A;
inline constexpr std::uint8_t ptgEQ = 0x0B;
inline constexpr std::uint8_t ptgGE = 0x0C;
inline constexpr std::uint8_t ptgGT = 0x0D;
inline constexpr std::uint8_t ptgNE = 0x0E;
inline constexpr std::uint8_t ptgIsect = 0x0F;
inline constexpr std::uint8_t ptgUnion = 0x10;
inline constexpr std::uint8_t ptgRange = 0x11;
inline constexpr std::uint8_t ptgUplus = 0x12;
inline constexpr std::uint8_t ptgUminus = 0x13;
inline constexpr std::uint8_t ptgPercent = 0x14;
inline constexpr std::uint8_t ptgParen = 0x15;
inline constexpr std::uint8_t ptgMissArg = 0x16;
inline constexpr std::uint8_t ptgStr = 0x17;
inline constexpr std::uint8_t ptgAttr = 0x19;
inline constexpr std::uint8_t ptgErr = 0x1C;
inline constexpr std::uint8_t ptgBool = 0x1D;
inline constexpr std::uint8_t ptgInt = 0x1E;
inline constexpr std::uint8_t ptgNum = 0x1F;
inline constexpr std::uint8_t ptgArray = 0x20;
inline constexpr std::uint8_t ptgFunc = 0x21;
inline constexpr std::uint8_t ptgFuncVar = 0x22;
inline constexpr std::uint8_t ptgName = 0x23;
inline constexpr std::uint8_t ptgRef = 0x24;
inline constexpr std::uint8_t ptgArea = 0x25;
inline constexpr std::uint8_t ptgMemArea = 0x26;
inline constexpr std::uint8_t ptgMemErr = 0x27;
inline constexpr std::uint8_t ptgMemNoMem = 0x28;
inline constexpr std::uint8_t ptgMemFunc = 0x29;
inline constexpr std::uint8_t ptgRefErr = 0x2A;
inline constexpr std::uint8_t ptgAreaErr = 0x2B;
inline constexpr std::uint8_t ptgRefN = 0x2C;
inline constexpr std::uint8_t ptgAreaN = 0x2D;
inline constexpr std::uint8_t ptgMemAreaN = 0x2E;
inline constexpr std::uint8_t ptgMemNoMemN = 0x2F;
inline constexpr std::uint8_t ptgNameX = 0x39;
inline constexpr std::uint8_t ptgRef3d = 0x3A;
inline constexpr std::uint8_t ptgArea3d = 0x3B;
inline constexpr std::uint8_t ptgRefErr3d = 0x3C;
inline constexpr std::uint8_t ptgAreaErr3d = 0x3D;

// Operand class bits of a classed token.
inline constexpr std::uint8_t kClassMask = 0x60;
inline constexpr std::uint8_t kClassRef = 0x20;
inline constexpr std::uint8_t kClassValue = 0x40;
inline constexpr std::uint8_t kClassArray = 0x60;

// ptgAttr option bits and the kinds of its space form.
inline constexpr std::uint8_t kAttrChoose = 0x04;
inline constexpr std::uint8_t kAttrSum = 0x10;
inline constexpr std::uint8_t kAttrSpace = 0x40;
inline constexpr std::uint8_t kSpaceBeforeOperand = 0;
inline constexpr std::uint8_t kSpaceBeforeOpenParen = 2;
inline constexpr std::uint8_t kSpaceBeforeCloseParen = 4;

// The column field of a cell reference: the column in the low byte, and flags for the parts
// written without "$".
inline constexpr std::uint16_t kColumnMask = 0x00FF;
inline constexpr std::uint16_t kColumnRelative = 0x4000;
inline constexpr std::uint16_t kRowRelative = 0x8000;

inline constexpr int kMaxRow = 65535;
inline constexpr int kMaxColumn = 255;

// Error literals and their codes, in the order the encoder compares them.
struct TErrorLiteral {
  std::u16string_view Text;
  std::uint8_t Code;
};
inline constexpr std::array<TErrorLiteral, 7> kErrorLiterals = {{
    {u"#NULL!", 0x00},
    {u"#DIV/0!", 0x07},
    {u"#VALUE!", 0x0F},
    {u"#REF!", 0x17},
    {u"#NAME?", 0x1D},
    {u"#NUM!", 0x24},
    {u"#N/A", 0x2A},
}};
inline constexpr std::size_t MaxErrorLen = 7;

// "Error reading formula, Token Id: 0x%2x is not supported", carrying the id.
[[noreturn]] inline void RaiseTokenError(std::uint8_t AId) {
  throw base::ETokenException(AId, base::Message(base::TMessage::TokenNotSupported, {AId}));
}

}  // namespace engine::formulas
