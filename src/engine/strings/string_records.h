// The records of the shared string table and the text cells.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/biff/record_factory.h"
#include "engine/biff/row_col_record.h"
#include "engine/strings/excel_string.h"
#include "engine/strings/sst.h"

namespace engine::strings {

// SST (0x00FC): the shared strings as read; the table (TSST) loads them and the record is freed.
//   off  size  field
//   0    4     total number of uses by text cells (not read)
//   4    4     Count  number of strings
//   8    var   the strings, 2-byte character counts, continued in CONTINUE records
class TSSTRecord final : public biff::TConcreteRecord<TSSTRecord> {
 public:
  TSSTRecord(std::uint16_t AId, biff::TRecordData AData);
  std::uint32_t Count() const noexcept { return FCount; }

 private:
  std::uint32_t FCount;
};

// LABELSST (0x00FD): a text cell whose text is an entry of the shared string table.
//   off  size  field
//   0    2     row
//   2    2     column
//   4    2     XF
//   6    4     index of the string in the SST; stored from the entry when written
class TLabelSSTRecord final : public biff::TConcreteRecord<TLabelSSTRecord, biff::TCellRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
  // Gives the string back to the table.
  ~TLabelSSTRecord() override;

  // A new cell without text; the caller sets it right away.
  static std::unique_ptr<TLabelSSTRecord> CreateFromData(std::uint16_t ARow, std::uint16_t ACol,
                                                         std::uint16_t AXF, TSST& ASST);
  // Takes the string of the index read from the file (the table still in file order) and one
  // reference to it; an index beyond the table raises "Error reading Excel records. File invalid".
  void AttachToSST(TSST& ASST);

  TSST* SST() const noexcept { return FSST; }
  TSST::TEntry SSTEntry() const noexcept { return FEntry; }
  std::u16string AsString() const;
  TRichString AsRichString() const;
  // Puts the text into the table and lets the old text go.
  void SetAsString(std::u16string_view AValue);
  void SetAsRichString(const TRichString& AValue);

  // The copy uses the same string, with a reference of its own.
  std::unique_ptr<biff::TBaseRecord> DoCopyTo() const override;
  // The string's index in the table as just written goes into the body first.
  void SaveToStream(biff::TRecordSink& AStream) override;

 private:
  void SetEntry(TSST::TEntry AEntry);

  TSST* FSST = nullptr;  // not owned
  TSST::TEntry FEntry = TSST::kNoEntry;
};

// LABEL (0x0204): a text cell with its text inside (older writers); kept as read.
//   off  size  field
//   0    2     row
//   2    2     column
//   4    2     XF
//   6    var   the text, 2-byte character count
class TLabelRecord final : public biff::TConcreteRecord<TLabelRecord, biff::TCellRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
  std::u16string AsString() const;
};

// RSTRING (0x00D6): a text cell with its text and rich-text runs inside; kept as read.
//   off  size  field
//   0    6     row, column, XF
//   6    var   the text, 2-byte character count
//   var  2     run count
//   var  4 x n runs: first character (2), font index (2)
class TRStringRecord final : public biff::TConcreteRecord<TRStringRecord, biff::TCellRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
  std::u16string AsString() const;
  TRichString GetAsRichString() const;
};

void RegisterRecordClasses(biff::TRecordFactory& AFactory);

}  // namespace engine::strings
