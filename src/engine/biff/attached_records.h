// The records a record takes as part of itself when the reader meets them right after it (a
// formula its TABLE or ARRAY record, a hyperlink its screen tip). They are written right after
// their owner and counted in its size, so the owner comes back byte for byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/biff/base_record.h"

namespace engine::biff {

class TRecordSink;

class TAttachedRecords {
 public:
  void Add(std::unique_ptr<TBaseRecord> ARecord) { FRecords.push_back(std::move(ARecord)); }
  std::size_t Count() const noexcept { return FRecords.size(); }
  TBaseRecord* operator[](std::size_t AIndex) const { return FRecords.at(AIndex).get(); }

  std::int64_t TotalSize() const;
  void SaveToStream(TRecordSink& AStream);
  // Appends copies of AOther's records.
  void CopyFrom(const TAttachedRecords& AOther);

 private:
  std::vector<std::unique_ptr<TBaseRecord>> FRecords;
};

}  // namespace engine::biff
