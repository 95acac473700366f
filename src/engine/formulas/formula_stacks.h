// The stacks of the formula encoder (pending runs of spaces) and of the decoder (texts).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/exception.h"

namespace engine::formulas {

// A plain stack that raises AEmptyMessage when popped or peeked empty.
template <class T, base::TMessage AEmptyMessage>
class TPlainStack {
public:
  virtual ~TPlainStack() = default;

  virtual void Push(T AItem) { FItems.push_back(std::move(AItem)); }
  T Pop() {
    AtLeast(1);
    T item = std::move(FItems.back());
    FItems.pop_back();
    return item;
  }
  const T& Peek() const {
    AtLeast(1);
    return FItems.back();
  }
  std::size_t Count() const noexcept { return FItems.size(); }
  // Raises the empty-stack error unless ACount items are there to pop.
  void AtLeast(std::size_t ACount) const {
    if (FItems.size() < ACount) base::Raise(AEmptyMessage);
  }

private:
  std::vector<T> FItems;
};

// A run of spaces waiting for the element that follows it.
struct TWhiteSpace {
  std::uint8_t Count;  // number of spaces; counting stops at 255
  std::uint8_t Kind;   // 0 before an operand or operator, 2 before "(", 4 before ")"
};

using TWhiteSpaceStack = TPlainStack<TWhiteSpace, base::TMessage::WhiteSpaceStackEmpty>;
using TStringStack = TPlainStack<std::u16string, base::TMessage::StringStackEmpty>;

// The decoder's stack: texts, plus the spaces recorded for the token that comes next. Every
// push consumes them.
class TFormulaStack : public TStringStack {
public:
  void Push(std::u16string AText) override {
    TStringStack::Push(std::move(AText));
    FmSpaces.clear();
    FmPreSpaces.clear();
    FmPostSpaces.clear();
  }

  std::u16string FmSpaces;      // before the next operand or operator
  std::u16string FmPreSpaces;   // before the "(" of the next parenthesis
  std::u16string FmPostSpaces;  // before the ")" of the next parenthesis
};

}  // namespace engine::formulas
