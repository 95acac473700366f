// A small in-memory workbook for formula tests and fuzz targets: named sheets, a sheet
// reference table, defined names with their sheets, external names and the ARRAY and TABLE
// records of the formula's sheet. Header-only so that the fuzz targets can use it too.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "base/exception.h"
#include "base/utf.h"
#include "engine/formulas/formula_context.h"

namespace testing_support {

class TFormulaTestWorkbook : public engine::formulas::IFormulaContext,
                             public engine::formulas::ISheetReferences,
                             public engine::formulas::IDefinedNames {
public:
  static constexpr int kDeletedSheet = 0xFFFF;

  struct TEntry {
    int FirstSheet;
    int LastSheet;
    std::u16string ExternalText;  // the text of an entry of another workbook; empty for ours
    std::vector<std::u16string> ExternalNames;
  };
  struct TName {
    std::u16string Text;
    int Sheet;  // -1 global
  };

  std::vector<std::u16string> Sheets = {u"Sheet1", u"Sheet2", u"Sheet3"};
  std::vector<TEntry> Entries;
  std::vector<TName> Names;
  std::map<std::pair<int, int>, std::vector<std::uint8_t>> Arrays;
  std::map<std::pair<int, int>, std::vector<std::uint8_t>> Tables;

  int FindSheet(std::u16string_view AName) const override {
    for (std::size_t i = 0; i < Sheets.size(); ++i)
      if (base::AsciiCaseEqual(Sheets[i], AName)) return static_cast<int>(i);
    return -1;
  }

  int AddExternSheet(int AFirstSheet, int ALastSheet) override {
    for (std::size_t i = 0; i < Entries.size(); ++i) {
      const TEntry& entry = Entries[i];
      if (entry.ExternalText.empty() && entry.FirstSheet == AFirstSheet &&
          entry.LastSheet == ALastSheet)
        return static_cast<int>(i);
    }
    Entries.push_back({AFirstSheet, ALastSheet, {}, {}});
    return static_cast<int>(Entries.size() - 1);
  }

  std::u16string GetSheetName(int ASheetRef) const override {
    const TEntry& entry = Entry(ASheetRef);
    if (!entry.ExternalText.empty()) return entry.ExternalText;
    std::u16string name = SheetText(entry.FirstSheet);
    if (name.empty() || entry.LastSheet == entry.FirstSheet) return name;
    std::u16string last = SheetText(entry.LastSheet);
    return last.empty() ? last : name + u":" + last;
  }

  std::u16string GetName(int ANameIndex) const override {
    if (ANameIndex < 1 || ANameIndex > Count())
      base::Raise(base::TMessage::IndexOutOfRange, {ANameIndex, "Name", 1, Count()});
    return Names[static_cast<std::size_t>(ANameIndex - 1)].Text;
  }

  std::u16string GetExternName(int ASheetRef, int ANameIndex) const override {
    const TEntry& entry = Entry(ASheetRef);
    if (entry.ExternalText.empty()) return GetName(ANameIndex);
    int count = static_cast<int>(entry.ExternalNames.size());
    if (ANameIndex < 1 || ANameIndex > count)
      base::Raise(base::TMessage::IndexOutOfRange, {ANameIndex, "External name", 1, count});
    return entry.ExternalNames[static_cast<std::size_t>(ANameIndex - 1)];
  }

  std::span<const std::uint8_t> GetArrayRecord(int ARow, int ACol) const override {
    auto found = Arrays.find({ARow, ACol});
    return found == Arrays.end() ? std::span<const std::uint8_t>() : found->second;
  }

  std::span<const std::uint8_t> GetTableRecord(int ARow, int ACol) const override {
    auto found = Tables.find({ARow, ACol});
    return found == Tables.end() ? std::span<const std::uint8_t>() : found->second;
  }

  int GetSheet(int ASheetRef) const override {
    const TEntry& entry = Entry(ASheetRef);
    if (!entry.ExternalText.empty() || entry.FirstSheet != entry.LastSheet) return -1;
    return entry.FirstSheet;
  }

  int SetSheet(int ASheet) override { return AddExternSheet(ASheet, ASheet); }

  int Count() const override { return static_cast<int>(Names.size()); }
  int RangeSheet(int AIndex) const override {
    return Names[static_cast<std::size_t>(AIndex)].Sheet;
  }
  std::u16string_view Name(int AIndex) const override {
    return Names[static_cast<std::size_t>(AIndex)].Text;
  }

private:
  const TEntry& Entry(int ASheetRef) const {
    int count = static_cast<int>(Entries.size());
    if (ASheetRef < 0 || ASheetRef >= count)
      base::Raise(base::TMessage::IndexOutOfRange, {ASheetRef, "Sheet Reference", 0, count});
    return Entries[static_cast<std::size_t>(ASheetRef)];
  }

  std::u16string SheetText(int ASheet) const {
    if (ASheet < 0 || ASheet >= static_cast<int>(Sheets.size())) return {};
    return Sheets[static_cast<std::size_t>(ASheet)];
  }
};

}  // namespace testing_support
