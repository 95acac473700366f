#include "command_line.h"

#include "base/messages.h"

namespace cli {

using base::TMessage;

TCommandLine::TCommandLine(const std::vector<std::string>& AArguments,
                           const std::map<std::string, TCommandSyntax>& ACommands) {
  if (AArguments.empty()) throw EUsageError(base::Message(TMessage::CliNoCommand));
  FCommand = AArguments.front();
  auto syntax = ACommands.find(FCommand);
  if (syntax == ACommands.end())
    throw EUsageError(base::Message(TMessage::CliUnknownCommand, {FCommand}));
  for (std::size_t i = 1; i < AArguments.size(); ++i) {
    std::string word = AArguments[i];
    std::optional<std::string> inlineValue;
    if (std::size_t equals = word.find('=');
        word.starts_with("--") && equals != std::string::npos) {
      inlineValue = word.substr(equals + 1);
      word.resize(equals);
    }
    if (syntax->second.Options.contains(word)) {
      if (!inlineValue) {
        if (i + 1 >= AArguments.size())
          throw EUsageError(base::Message(TMessage::CliMissingValue, {word}));
        inlineValue = AArguments[++i];
      }
      FValues[word] = *inlineValue;
    } else if (syntax->second.Flags.contains(word) && !inlineValue) {
      FFlags.insert(word);
    } else {
      throw EUsageError(base::Message(TMessage::CliUnknownOption, {word, FCommand}));
    }
  }
}

std::optional<std::string> TCommandLine::Value(const std::string& AOption) const {
  auto found = FValues.find(AOption);
  if (found == FValues.end()) return std::nullopt;
  return found->second;
}

std::string TCommandLine::Required(const std::string& AOption) const {
  auto value = Value(AOption);
  if (!value) throw EUsageError(base::Message(TMessage::CliMissingOption, {FCommand, AOption}));
  return *value;
}

}  // namespace cli
