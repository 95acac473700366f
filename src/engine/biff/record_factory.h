// The record factory: the one table that says which record class each BIFF8 record id is read
// into, and the constructors of those classes. The classes live in the folders of the engine
// that interpret them (strings, formats, cells, formulas, workbook sections); each folder
// registers its constructors here, so that this layer creates them without depending on them.
// An id the table does not list becomes a plain TBaseRecord.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "engine/biff/base_record.h"

namespace engine::biff {

// One value per record class of the table.
enum class TRecordClassId : std::uint8_t {
  Base,     // a record no class interprets
  Refused,  // FILEPASS: an encrypted workbook, which the engine cannot read
  Continue,
  Ignore,
  Formula,
  Eof,
  Precision,
  RefMode,
  PageHeader,
  PageFooter,
  ExternSheet,
  Name,
  VPageBreak,
  HPageBreak,
  Note,
  Date1904,
  ExternName,
  Margin,
  PrintGridLines,
  Font,
  Window1,
  Pane,
  Pls,
  DefColWidth,
  Obj,
  Template,
  ColInfo,
  Guts,
  WsBool,
  PrintCentered,
  BoundSheet,
  Palette,
  StandardWidth,
  AutoFilterInfo,
  Scl,
  Setup,
  MulRk,
  MulBlank,
  ObProj,
  RString,
  BookBool,
  XF,
  CellMerging,
  DrawingGroup,
  Drawing,
  Sst,
  LabelSst,
  SupBook,
  CondFmt,
  CF,
  DVal,
  Txo,
  HLink,
  CodeName,
  Dimensions,
  Blank,
  Number,
  Label,
  BoolErr,
  String,
  Row,
  Array,
  DefRowHeight,
  Table,
  Window2,
  Rk,
  Style,
  Format,
  ShrFmla,
  ScreenTip,
  Bof,
  ChartBegin,
  ChartEnd,
  ChartAI,
};

inline constexpr std::size_t kRecordClassCount =
    static_cast<std::size_t>(TRecordClassId::ChartAI) + 1;

// The class of records of id AId, and the record's BIFF8 name ("" for an id not in the table).
TRecordClassId RecordClassOf(std::uint16_t AId) noexcept;
std::string_view RecordName(std::uint16_t AId) noexcept;
// The C++ class name of a record class, for messages.
std::string_view RecordClassName(TRecordClassId AClass) noexcept;

using TRecordConstructor = std::unique_ptr<TBaseRecord> (*)(std::uint16_t AId, TRecordData AData);

template <class T>
std::unique_ptr<TBaseRecord> ConstructRecord(std::uint16_t AId, TRecordData AData) {
  return std::make_unique<T>(AId, std::move(AData));
}

class TRecordFactory {
 public:
  // Knows the record layer's own classes (plain, CONTINUE, ignored, refused) from the start.
  TRecordFactory();

  void Register(TRecordClassId AClass, TRecordConstructor AConstructor) noexcept;
  // The classes of the table that have no constructor yet.
  std::vector<TRecordClassId> MissingClasses() const;

  // A record of the class the table gives AId: raises "File is password protected" for
  // FILEPASS, and whatever the class's constructor raises for a body it refuses.
  std::unique_ptr<TBaseRecord> CreateRecord(std::uint16_t AId, TRecordData AData) const;

 private:
  std::array<TRecordConstructor, kRecordClassCount> FConstructors{};
};

}  // namespace engine::biff
