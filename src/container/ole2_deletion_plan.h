// The deletion plan of a compound document copy: which directory entries go, and how the
// sibling trees are relinked around them.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "container/ole2_constants.h"

namespace container {

struct TOneDirEntry {
  TOneDirEntry(std::u16string_view AName, std::int32_t ALeftSid, std::int32_t ARightSid,
               std::int32_t AChildSid, DECOLOR AColor)
      : Name(AName), LeftSid(ALeftSid), RightSid(ARightSid), ChildSid(AChildSid),
        Color(AColor) {}

  std::u16string Name;
  std::int32_t LeftSid;
  std::int32_t RightSid;
  std::int32_t ChildSid;
  bool Deleted = false;
  DECOLOR Color;
};

struct TDeletionPlan {
  std::vector<TOneDirEntry> Entries;  // one per directory slot, in directory order
  bool AllBlack = false;              // a deleted entry was black: every entry is written black
};

// Marks every entry (from 1 on) whose name equals one of ADeleteStorages exactly, with
// everything below it, and relinks the trees. Raises "Can't delete root" when the marking
// reaches the root entry, and "Error reading Excel records. File invalid" when the links form
// a cycle.
TDeletionPlan BuildDeletionPlan(std::vector<TOneDirEntry> AEntries,
                                std::span<const std::u16string> ADeleteStorages);

}  // namespace container
