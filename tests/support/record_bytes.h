// Helpers for tests of records: reading records from hex bytes with the workbook's factory and
// catching the bytes a record or list writes.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/exception.h"
#include "base/hex.h"
#include "engine/biff/base_record.h"
#include "engine/biff/record_lists.h"
#include "engine/biff/record_reader.h"
#include "engine/biff/record_stream.h"
#include "engine/workbook/workbook_records.h"

namespace testing_support {

inline std::vector<std::uint8_t> Hex(std::string_view AText) {
  return base::ParseHex(AText);
}

// A record reader over bytes kept by the caller.
class TRecordBytes {
 public:
  explicit TRecordBytes(std::span<const std::uint8_t> ABytes)
      : FSource(ABytes), FReader(FSource, engine::workbook::WorkbookRecordFactory()) {
    FHeader = FReader.ReadHeader();
  }

  std::unique_ptr<engine::biff::TBaseRecord> Next() {
    return engine::biff::ReadRecord(FReader, FHeader);
  }
  const engine::biff::TRecordHeader& Header() const noexcept { return FHeader; }
  std::int64_t Position() const { return FSource.Position(); }

 private:
  engine::biff::TMemoryRecordSource FSource;
  engine::biff::TRecordReader FReader;
  engine::biff::TRecordHeader FHeader;
};

// Every record of a stream of records, read until the header of id 0 that zero padding gives.
inline std::vector<std::unique_ptr<engine::biff::TBaseRecord>> ReadAllRecords(
    std::vector<std::uint8_t> ABytes) {
  ABytes.insert(ABytes.end(), 4, 0);
  TRecordBytes reader(ABytes);
  std::vector<std::unique_ptr<engine::biff::TBaseRecord>> records;
  while (reader.Header().Id != 0) records.push_back(reader.Next());
  return records;
}

// The message of the engine error AAction raises.
template <class F>
std::string RaisedMessage(F&& AAction) {
  try {
    AAction();
  } catch (const base::Exception& e) {
    return e.what();
  }
  return "(nothing raised)";
}

inline std::vector<std::uint8_t> Written(engine::biff::TBaseRecord& ARecord) {
  engine::biff::TMemoryRecordSink sink;
  engine::biff::SaveRecordChecked(ARecord, sink);
  return sink.Bytes();
}

inline std::vector<std::uint8_t> Written(engine::biff::TRecordListCore& AList) {
  engine::biff::TMemoryRecordSink sink;
  AList.SaveToStream(sink);
  return sink.Bytes();
}

}  // namespace testing_support
