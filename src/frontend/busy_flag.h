// The window's "a command is running" flag: while a run is in progress (it lets the window
// handle events between geographies) another run or an export does nothing.
#pragma once

namespace frontend {

class TBusyFlag {
 public:
  bool IsBusy() const noexcept { return FBusy; }

 private:
  friend class TBusyScope;
  bool FBusy = false;
};

// Holds the flag for one command; Acquired() is false when another command already holds it.
class TBusyScope {
 public:
  explicit TBusyScope(TBusyFlag& AFlag) noexcept : FFlag(AFlag.FBusy ? nullptr : &AFlag) {
    if (FFlag != nullptr) FFlag->FBusy = true;
  }
  ~TBusyScope() {
    if (FFlag != nullptr) FFlag->FBusy = false;
  }
  TBusyScope(const TBusyScope&) = delete;
  TBusyScope& operator=(const TBusyScope&) = delete;

  bool Acquired() const noexcept { return FFlag != nullptr; }

 private:
  TBusyFlag* FFlag;  // not owned; null when the flag was taken already
};

}  // namespace frontend
