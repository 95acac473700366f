// Items files ("items_*.txt"): one survey item per line, its code before the first space and
// its column label at characters 12 to 21.
#pragma once

#include <string>
#include <vector>

namespace frontend {

struct TItemList {
  std::string Items;                // the codes joined by commas, as the Items box takes them
  std::vector<std::string> Labels;  // one per line, in line order
};

// Reads every line, always at least one (an empty file gives one empty item). A line without
// a space is all code.
TItemList ReadItemsFile(const std::string& AFileName);

}  // namespace frontend
