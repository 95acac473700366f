// Hexadecimal text and bytes: "C8 00 FF 7F" <-> {0xC8, 0x00, 0xFF, 0x7F}. Used for readable
// byte tables in code and for golden bytes in tests.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace base {

// Reads pairs of hex digits (either case); spaces, line breaks and other characters between
// the pairs are ignored.
std::vector<std::uint8_t> ParseHex(std::string_view AText);

// Upper-case pairs separated by single spaces.
std::string ToHex(std::span<const std::uint8_t> ABytes);

}  // namespace base
