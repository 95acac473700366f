// What the formula encoder, decoder and token walker need from the workbook around a formula.
// The workbook's parts implement these: the sheet's cell list IFormulaContext (through the
// globals' sheet references and names), the sheet references ISheetReferences and the defined
// names IDefinedNames. Sheets are numbered from 0 in tab order; sheet reference indices are
// positions in the EXTERNSHEET table; defined names are numbered from 1 in tokens.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace engine::formulas {

class IFormulaContext {
public:
  virtual ~IFormulaContext() = default;

  // The sheet whose name equals AName after full upper-casing of both, or -1.
  virtual int FindSheet(std::u16string_view AName) const = 0;
  // The sheet reference index for the sheets AFirstSheet..ALastSheet of this workbook,
  // creating the self-reference and the entry when needed.
  virtual int AddExternSheet(int AFirstSheet, int ALastSheet) = 0;
  // The text of a sheet reference as a formula shows it, without quotes and "!": "Sheet1",
  // "Sheet1:Sheet3", "[Book.xls]Sheet1"; empty for a deleted sheet. Raises "The index ... of
  // the property \"Sheet Reference\" ..." for an index beyond the table.
  virtual std::u16string GetSheetName(int ASheetRef) const = 0;
  // The text of the defined name with the 1-based ANameIndex.
  virtual std::u16string GetName(int ANameIndex) const = 0;
  // The name a ptgNameX designates: a defined name of this workbook when the reference is the
  // self-reference, else the external name ANameIndex (1-based) of the referenced workbook.
  virtual std::u16string GetExternName(int ASheetRef, int ANameIndex) const = 0;
  // The data of this sheet's ARRAY record whose formula has its master cell at ARow, ACol;
  // empty when there is none.
  virtual std::span<const std::uint8_t> GetArrayRecord(int ARow, int ACol) const = 0;
  // The data of this sheet's TABLE record with its master cell at ARow, ACol; empty when none.
  virtual std::span<const std::uint8_t> GetTableRecord(int ARow, int ACol) const = 0;
};

// The sheet reference table as the token walker sees it.
class ISheetReferences {
public:
  virtual ~ISheetReferences() = default;

  // The sheet of a self-reference entry for one sheet; -1 for a sheet range or another
  // workbook. Raises the index error ("Sheet Reference") for an index beyond the table.
  virtual int GetSheet(int ASheetRef) const = 0;
  // The index of the self-reference entry for the one sheet ASheet, added when missing.
  virtual int SetSheet(int ASheet) = 0;
};

// The workbook's defined names as the token walker sees them; positions are 0-based.
class IDefinedNames {
public:
  virtual ~IDefinedNames() = default;

  virtual int Count() const = 0;
  // The sheet a name belongs to, -1 for a global name.
  virtual int RangeSheet(int AIndex) const = 0;
  virtual std::u16string_view Name(int AIndex) const = 0;
};

}  // namespace engine::formulas
