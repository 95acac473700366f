// Splitting a comma-separated text into values by the desktop platform's rule, which the
// grid's columns depend on exactly: blanks (codes 1 to 32) separate values too, a value may be
// double-quoted with doubled quotes inside, and a comma ending the text adds an empty value.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace frontend {

// A NUL character ends the text, as it ends the platform's text.
std::vector<std::string> SplitCommaText(std::string_view AText);

}  // namespace frontend
