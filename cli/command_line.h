// The command line of vexa2-cli: a command, then options "--name value" (or "--name=value")
// and flags "--name".
#pragma once

#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace cli {

// Bad usage; the program prints the message and the usage text and exits with status 2.
class EUsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TCommandSyntax {
  std::set<std::string> Options;  // take a value
  std::set<std::string> Flags;
};

class TCommandLine {
 public:
  // AArguments are the words after the program name; the first is the command.
  TCommandLine(const std::vector<std::string>& AArguments,
               const std::map<std::string, TCommandSyntax>& ACommands);

  const std::string& Command() const noexcept { return FCommand; }
  std::optional<std::string> Value(const std::string& AOption) const;
  std::string Required(const std::string& AOption) const;
  bool Flag(const std::string& AFlag) const { return FFlags.contains(AFlag); }

 private:
  std::string FCommand;
  std::map<std::string, std::string> FValues;
  std::set<std::string> FFlags;
};

}  // namespace cli
