// TBaseRecord: one BIFF8 record in memory, with its raw body and the chain of CONTINUE records
// that extends it. Every record class of the engine derives from it; a record whose id no class
// interprets is a plain TBaseRecord and is written back exactly as read.
//
// Record framing (little-endian):
//   off  size  field
//   0    2     Id    record type
//   2    2     Size  number of body bytes that follow
//   4    Size  body  at most 8224 bytes; a longer logical record goes on in CONTINUE (0x003C)
//                    records, each with its own header
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "engine/biff/record_data.h"

namespace engine::biff {

class TRecordSink;
class TContinueRecord;

struct TRecordHeader {
  std::uint16_t Id = 0;
  std::uint16_t Size = 0;
};

class TBaseRecord {
 public:
  // The record takes the body over.
  TBaseRecord(std::uint16_t AId, TRecordData AData) noexcept;
  // Frees the body and then the CONTINUE chain, link by link.
  virtual ~TBaseRecord();
  TBaseRecord(const TBaseRecord&) = delete;
  TBaseRecord& operator=(const TBaseRecord&) = delete;

  std::uint16_t Id() const noexcept { return FId; }
  std::uint16_t DataSize() const noexcept { return FData.Size(); }
  std::span<std::uint8_t> Data() noexcept { return FData.Span(); }
  std::span<const std::uint8_t> Data() const noexcept { return FData.Span(); }
  TContinueRecord* Continue() const noexcept { return FContinue.get(); }
  // Raises when the record already has one: a chain grows at its tail.
  void AddContinue(std::unique_ptr<TContinueRecord> AContinue);

  // An independent copy; a missing record copies to none.
  static std::unique_ptr<TBaseRecord> CopyTo(const TBaseRecord* ARecord);
  // The body is copied and given to a new record of the same class, which decodes it again;
  // the CONTINUE chain is copied too. Classes with state beyond the body add theirs.
  virtual std::unique_ptr<TBaseRecord> DoCopyTo() const;
  // Writes the record and its chain in file order.
  virtual void SaveToStream(TRecordSink& AStream);
  // Bytes in the stream, headers included.
  virtual std::int64_t TotalSize() const;
  // Body bytes of the record and its chain.
  virtual std::int64_t TotalSizeNoHeaders() const;
  // Bytes SaveToStream writes: TotalSize, except for a stand-in whose owner counts what it
  // writes (a sub-list).
  virtual std::int64_t WrittenSize() const { return TotalSize(); }

  // A record that takes the record following it in the stream as part of itself: a formula
  // its TABLE or ARRAY record, a hyperlink its screen tip. The reader asks with the next id.
  virtual bool TakesAttachment(std::uint16_t AId) const;
  virtual void Attach(std::unique_ptr<TBaseRecord> ARecord);

  // Body accessors, bounds-checked: an access outside the body raises "Error reading Excel
  // records. File invalid".
  std::uint8_t GetByte(std::size_t AOffset) const;
  std::uint16_t GetWord(std::size_t AOffset) const;
  std::uint32_t GetCardinal(std::size_t AOffset) const;
  void SetByte(std::size_t AOffset, std::uint8_t AValue);
  void SetWord(std::size_t AOffset, std::uint16_t AValue);
  void SetCardinal(std::size_t AOffset, std::uint32_t AValue);
  // Adds ADelta to the word at AOffset; a result outside 0..AMax raises "Too many entries for
  // this kind of record (%d out of a maximum of %d)" and leaves the word as it was.
  void IncWord(std::size_t AOffset, std::int64_t ADelta, std::int64_t AMax);

 protected:
  // The body becomes AData and the CONTINUE chain is dropped. The record's size changes: the
  // owner of the list that holds it reports the change (AdaptSize).
  void ReplaceData(TRecordData AData) noexcept;
  // Writes a header of this record's id and ABody's size, then ABody.
  void SaveDataToStream(TRecordSink& AStream, std::span<const std::uint8_t> ABody) const;
  // A new record of this record's class over AData (the "virtual constructor" of a copy).
  virtual std::unique_ptr<TBaseRecord> CreateSameClass(std::uint16_t AId, TRecordData AData) const;

 private:
  TRecordData FData;
  std::unique_ptr<TContinueRecord> FContinue;
  std::uint16_t FId;
};

// Makes TSelf a class that copies as itself; every concrete record class derives through it:
//   class TXFRecord final : public TConcreteRecord<TXFRecord> { ... };
template <class TSelf, class TParent = TBaseRecord>
class TConcreteRecord : public TParent {
 public:
  TConcreteRecord(std::uint16_t AId, TRecordData AData) : TParent(AId, std::move(AData)) {}

 protected:
  std::unique_ptr<TBaseRecord> CreateSameClass(std::uint16_t AId,
                                               TRecordData AData) const override {
    return std::make_unique<TSelf>(AId, std::move(AData));
  }
};

// CONTINUE (0x003C): the next part of the body of the record before it.
class TContinueRecord final : public TConcreteRecord<TContinueRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// A record the engine regenerates or leaves out of every saved file (EXTSST, INDEX, DBCELL,
// TABID, RECALCID, MSODRAWINGSELECTION, XCT, CRN, chart FBI): read, then dropped by its section.
class TIgnoreRecord final : public TConcreteRecord<TIgnoreRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
  void SaveToStream(TRecordSink&) override {}
  std::int64_t TotalSize() const override { return 0; }
};

}  // namespace engine::biff
