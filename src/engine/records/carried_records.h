// Records the engine carries without reading them: drawings and their text objects, cell
// comments, hyperlinks and their screen tips, and manual page breaks. Their sections keep them
// in place and write them back as read.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/biff/attached_records.h"
#include "engine/biff/row_col_record.h"

namespace engine::records {

// VERTICALPAGEBREAKS (0x001A).
class TVPageBreakRecord final : public biff::TConcreteRecord<TVPageBreakRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// HORIZONTALPAGEBREAKS (0x001B).
class THPageBreakRecord final : public biff::TConcreteRecord<THPageBreakRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// NOTE (0x001C): a cell comment's anchor: row, column, options, object id, author.
class TNoteRecord final : public biff::TConcreteRecord<TNoteRecord, biff::TBaseRowColRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// OBJ (0x005D): a drawing object.
class TObjRecord final : public biff::TConcreteRecord<TObjRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// TXO (0x01B6): the text of a drawing object.
class TTXORecord final : public biff::TConcreteRecord<TTXORecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// The drawing records (Office drawing containers).
class TXlsEscherRecord : public biff::TBaseRecord {
 protected:
  using TBaseRecord::TBaseRecord;
};

// MSODRAWINGGROUP (0x00EB): the workbook's drawing group.
class TDrawingGroupRecord final
    : public biff::TConcreteRecord<TDrawingGroupRecord, TXlsEscherRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// MSODRAWING (0x00EC): a sheet's drawing.
class TDrawingRecord final : public biff::TConcreteRecord<TDrawingRecord, TXlsEscherRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// HLINKTOOLTIP (0x0800): the screen tip of a hyperlink.
class TScreenTipRecord final : public biff::TConcreteRecord<TScreenTipRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// HLINK (0x01B8): a hyperlink. A screen tip right after it becomes part of it.
class THLinkRecord final : public biff::TConcreteRecord<THLinkRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;

  const biff::TAttachedRecords& ScreenTips() const noexcept { return FScreenTips; }
  bool TakesAttachment(std::uint16_t AId) const override;
  void Attach(std::unique_ptr<biff::TBaseRecord> ARecord) override {
    FScreenTips.Add(std::move(ARecord));
  }
  std::unique_ptr<biff::TBaseRecord> DoCopyTo() const override;
  void SaveToStream(biff::TRecordSink& AStream) override;
  std::int64_t TotalSize() const override;

 private:
  biff::TAttachedRecords FScreenTips;
};

}  // namespace engine::records
