#include "terminal_interface.h"

#include <cstdio>

namespace cli {

void TTerminalInterface::ShowMessage(const std::string& AText) {
  std::fwrite(AText.data(), 1, AText.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void TTerminalInterface::ShowErrorBox(const std::string& AText) {
  FErrorShown = true;
  std::fflush(stdout);
  std::fprintf(stderr, "%s\n", AText.c_str());
}

std::optional<std::string> TTerminalInterface::OpenFileDialog(const std::string&,
                                                              const std::string&) {
  return std::nullopt;
}

}  // namespace cli
