// The exception family of the system: the general Exception carries a finished message; the
// workbook engine's own kinds and file errors derive from it.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <utility>

#include "base/messages.h"

namespace base {

class Exception : public std::exception {
public:
  explicit Exception(std::string AMessage) : FMessage(std::move(AMessage)) {}
  const char* what() const noexcept override { return FMessage.c_str(); }
  const std::string& Message() const noexcept { return FMessage; }

private:
  std::string FMessage;
};

class EExcelException : public Exception {
public:
  using Exception::Exception;
};

// Errors of formula tokens; the id of the offending token lets callers word their own message.
class ETokenException : public EExcelException {
public:
  ETokenException(std::uint8_t ATokenId, std::string AMessage)
      : EExcelException(std::move(AMessage)), FTokenId(ATokenId) {}
  std::uint8_t TokenId() const noexcept { return FTokenId; }

private:
  std::uint8_t FTokenId;
};

// A failing open, read, write or close of a file, with the operating system's code as the
// conventions number it (2 not found, 3 invalid name, 5 access denied, 101 disk full, ...).
class EFileError : public Exception {
public:
  EFileError(int ACode, std::string AMessage) : Exception(std::move(AMessage)), FCode(ACode) {}
  int Code() const noexcept { return FCode; }

private:
  int FCode;
};

template <class E = Exception>
[[noreturn]] void Raise(TMessage AMessage, std::initializer_list<TFormatArg> AArgs = {}) {
  throw E(Message(AMessage, AArgs));
}

}  // namespace base
