#include "engine/biff/record_reader.h"

#include <algorithm>
#include <cstring>

#include "base/exception.h"
#include "base/little_endian.h"
#include "engine/biff/record_ids.h"

namespace engine::biff {

namespace {

TRecordData ReadBody(TRecordSource& ASource, std::uint16_t ASize) {
  TRecordData data = TRecordData::Allocate(ASize);
  ASource.ReadMem(data.Bytes(), ASize);
  return data;
}

void ReadNextHeader(TRecordReader& AStream, TRecordHeader& AHeader) {
  if (AStream.NextEof(3)) {
    AHeader = {rid::Eof, 0};
    return;
  }
  AHeader = AStream.ReadHeader();
}

void ReadContinueChain(TRecordReader& AStream, TRecordHeader& AHeader, TBaseRecord& ARecord) {
  TBaseRecord* tail = &ARecord;
  do {
    auto part =
        std::make_unique<TContinueRecord>(AHeader.Id, ReadBody(AStream.Source(), AHeader.Size));
    TContinueRecord* added = part.get();
    tail->AddContinue(std::move(part));
    tail = added;
    ReadNextHeader(AStream, AHeader);
  } while (AHeader.Id == rid::Continue);
}

// The records whose cached text may follow them in a STRING record.
bool MayPrecedeString(std::uint16_t AId) {
  TRecordClassId recordClass = RecordClassOf(AId);
  return recordClass == TRecordClassId::Formula || recordClass == TRecordClassId::ShrFmla ||
         recordClass == TRecordClassId::Array || recordClass == TRecordClassId::Table;
}

[[noreturn]] void RaiseReadError() {
  base::Raise(base::TMessage::ErrorReadingRecord);
}

// Moves the cursor into the next CONTINUE record when it stands at the end of a body.
void StepIntoContinue(TRecordCursor& ACursor) {
  const TBaseRecord* next = ACursor.Record->Continue();
  if (!next) RaiseReadError();
  ACursor = {next, 0};
}

// Bytes left in the cursor's current body; raises when the cursor stands beyond it.
std::size_t BytesLeft(const TRecordCursor& ACursor) {
  if (ACursor.Offset > ACursor.Record->DataSize()) RaiseReadError();
  return ACursor.Record->DataSize() - ACursor.Offset;
}

void Widen(const std::string& AShort, std::u16string& AWide, std::size_t ALength,
           std::size_t ARead) {
  AWide.resize(ALength);
  for (std::size_t i = 0; i < ARead; ++i) AWide[i] = static_cast<std::uint8_t>(AShort[i]);
}

}  // namespace

TRecordHeader TRecordReader::ReadHeader() {
  std::uint8_t bytes[kRecordHeaderSize];
  FSource.ReadMem(bytes, kRecordHeaderSize);
  return {base::LoadLE16(bytes), base::LoadLE16(bytes + 2)};
}

std::unique_ptr<TBaseRecord> ReadRecord(TRecordReader& AStream, TRecordHeader& AHeader) {
  TRecordData data = ReadBody(AStream.Source(), AHeader.Size);
  std::unique_ptr<TBaseRecord> record = AStream.Factory().CreateRecord(AHeader.Id, std::move(data));
  ReadNextHeader(AStream, AHeader);
  if (AHeader.Id == rid::Continue) {
    ReadContinueChain(AStream, AHeader, *record);
  } else if (record->TakesAttachment(AHeader.Id)) {
    // The attached record is of a class that takes no attachment itself, so this nests once.
    record->Attach(ReadRecord(AStream, AHeader));
  } else if (AHeader.Id == rid::String && !MayPrecedeString(record->Id())) {
    base::Raise(base::TMessage::ErrorReadingRecords);
  }
  return record;
}

void ReadRecordBytes(TRecordCursor& ACursor, std::size_t ACount, std::uint8_t* ADestination) {
  for (;;) {
    std::size_t left = BytesLeft(ACursor);
    if (ACount == 0) return;
    if (left == 0) {
      StepIntoContinue(ACursor);
      continue;
    }
    std::size_t count = std::min(ACount, left);
    if (ADestination) {
      std::memcpy(ADestination, ACursor.Record->Data().data() + ACursor.Offset, count);
      ADestination += count;
    }
    ACursor.Offset += count;
    ACount -= count;
  }
}

void AppendRecordBytes(TRecordCursor& ACursor, std::size_t ACount,
                       std::vector<std::uint8_t>& ADestination) {
  for (;;) {
    std::size_t left = BytesLeft(ACursor);
    if (ACount == 0) return;
    if (left == 0) {
      StepIntoContinue(ACursor);
      continue;
    }
    std::size_t count = std::min(ACount, left);
    const auto* bytes = ACursor.Record->Data().data() + ACursor.Offset;
    ADestination.insert(ADestination.end(), bytes, bytes + count);
    ACursor.Offset += count;
    ACount -= count;
  }
}

void ReadRecordChars(TRecordCursor& ACursor, std::string& AShort, std::u16string& AWide,
                     std::size_t ALength, std::size_t& ARead, std::uint8_t& AGoverning,
                     std::uint8_t& AOwn) {
  while (ARead < ALength) {
    std::size_t left = BytesLeft(ACursor);
    if (left == 0) {
      StepIntoContinue(ACursor);
      std::uint8_t option = 0;
      ReadRecordBytes(ACursor, 1, &option);
      AGoverning = option;
      continue;
    }
    if ((AGoverning & 1) && !(AOwn & 1)) {
      Widen(AShort, AWide, ALength, ARead);
      AOwn |= 1;
    }
    const std::uint8_t* bytes = ACursor.Record->Data().data() + ACursor.Offset;
    std::size_t wanted = ALength - ARead;
    if (AGoverning & 1) {
      std::size_t count = std::min(wanted, left / 2);
      // A lone byte at the end of a body cannot hold a 16-bit character.
      if (count == 0) RaiseReadError();
      AWide.resize(ALength);
      for (std::size_t i = 0; i < count; ++i) AWide[ARead + i] = base::LoadLE16(bytes + 2 * i);
      ACursor.Offset += 2 * count;
      ARead += count;
    } else {
      std::size_t count = std::min(wanted, left);
      if (AOwn & 1) {
        AWide.resize(ALength);
        for (std::size_t i = 0; i < count; ++i) AWide[ARead + i] = bytes[i];
      } else {
        AShort.resize(ALength);
        std::memcpy(AShort.data() + ARead, bytes, count);
      }
      ACursor.Offset += count;
      ARead += count;
    }
  }
}

}  // namespace engine::biff
