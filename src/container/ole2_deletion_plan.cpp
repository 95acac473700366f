#include "container/ole2_deletion_plan.h"

#include <algorithm>

#include "base/exception.h"

namespace container {

namespace {

class TPlanner {
public:
  explicit TPlanner(std::vector<TOneDirEntry>& AEntries) : FEntries(AEntries) {}

  bool Designates(std::int32_t ASid) const {
    return ASid >= 0 && static_cast<std::size_t>(ASid) < FEntries.size();
  }

  // Marks an entry and its subtree. Entries reached on the way down take their siblings along;
  // the matched entry's own siblings stay. An explicit stack keeps hostile trees off the C++
  // stack.
  void MarkDeleted(std::int32_t AMatched) {
    struct TItem {
      std::int32_t Sid;
      bool WithSiblings;
    };
    std::vector<TItem> todo{{AMatched, false}};
    while (!todo.empty()) {
      TItem item = todo.back();
      todo.pop_back();
      if (!Designates(item.Sid)) continue;
      TOneDirEntry& entry = FEntries[static_cast<std::size_t>(item.Sid)];
      if (entry.Deleted) continue;
      if (item.Sid == 0) base::Raise(base::TMessage::CantDeleteRoot);
      entry.Deleted = true;
      todo.push_back({entry.ChildSid, true});
      if (item.WithSiblings) {
        todo.push_back({entry.LeftSid, true});
        todo.push_back({entry.RightSid, true});
      }
    }
  }

  // Relinks every link variable reachable from ARoot around the deleted entries.
  void Relink(std::int32_t& ARoot) {
    std::vector<std::int32_t*> todo{&ARoot};
    std::vector<bool> visited(FEntries.size(), false);
    while (!todo.empty()) {
      std::int32_t* link = todo.back();
      todo.pop_back();
      std::size_t guard = 0;
      while (*link > 0 && Designates(*link) && FEntries[static_cast<std::size_t>(*link)].Deleted) {
        if (++guard > FEntries.size()) base::Raise(base::TMessage::ErrorReadingRecords);
        *link = Replacement(*link);
      }
      if (!Designates(*link)) continue;
      auto index = static_cast<std::size_t>(*link);
      if (visited[index]) base::Raise(base::TMessage::ErrorReadingRecords);
      visited[index] = true;
      TOneDirEntry& entry = FEntries[index];
      // Pushed in reverse so that left, right and child are handled in that order.
      todo.push_back(&entry.ChildSid);
      todo.push_back(&entry.RightSid);
      todo.push_back(&entry.LeftSid);
    }
  }

private:
  // The entry that takes a deleted entry's place in its sibling tree.
  std::int32_t Replacement(std::int32_t ADeleted) {
    TOneDirEntry& deleted = FEntries[static_cast<std::size_t>(ADeleted)];
    if (deleted.LeftSid == NOSTREAM && deleted.RightSid == NOSTREAM) return NOSTREAM;
    if (deleted.LeftSid == NOSTREAM) return deleted.RightSid;
    if (deleted.RightSid == NOSTREAM) return deleted.LeftSid;
    // Two children: the leftmost entry of the right subtree moves up.
    std::int32_t parent = ADeleted;
    std::int32_t successor = deleted.RightSid;
    std::size_t guard = 0;
    while (Designates(successor) && FEntries[static_cast<std::size_t>(successor)].LeftSid != NOSTREAM) {
      if (++guard > FEntries.size()) base::Raise(base::TMessage::ErrorReadingRecords);
      parent = successor;
      successor = FEntries[static_cast<std::size_t>(successor)].LeftSid;
    }
    if (!Designates(successor)) base::Raise(base::TMessage::ErrorReadingRecords);
    TOneDirEntry& moved = FEntries[static_cast<std::size_t>(successor)];
    if (successor != deleted.RightSid) {
      FEntries[static_cast<std::size_t>(parent)].LeftSid = moved.RightSid;
      moved.RightSid = deleted.RightSid;
    }
    moved.LeftSid = deleted.LeftSid;
    return successor;
  }

  std::vector<TOneDirEntry>& FEntries;
};

}  // namespace

TDeletionPlan BuildDeletionPlan(std::vector<TOneDirEntry> AEntries,
                                std::span<const std::u16string> ADeleteStorages) {
  TDeletionPlan plan{std::move(AEntries), false};
  TPlanner planner(plan.Entries);
  for (std::size_t sid = 1; sid < plan.Entries.size(); ++sid) {
    const TOneDirEntry& entry = plan.Entries[sid];
    if (std::find(ADeleteStorages.begin(), ADeleteStorages.end(), entry.Name) ==
        ADeleteStorages.end())
      continue;
    if (entry.Color == DECOLOR::DECOLOR_BLACK) plan.AllBlack = true;
    planner.MarkDeleted(static_cast<std::int32_t>(sid));
  }
  // The root is never replaced (MarkDeleted refuses to delete it); relinking starts there.
  std::int32_t root = 0;
  if (!plan.Entries.empty()) planner.Relink(root);
  return plan;
}

}  // namespace container
