#include "engine/biff/attached_records.h"

#include "engine/biff/record_lists.h"

namespace engine::biff {

std::int64_t TAttachedRecords::TotalSize() const {
  std::int64_t size = 0;
  for (const auto& record : FRecords) size += record->TotalSize();
  return size;
}

void TAttachedRecords::SaveToStream(TRecordSink& AStream) {
  for (const auto& record : FRecords) SaveRecordChecked(*record, AStream);
}

void TAttachedRecords::CopyFrom(const TAttachedRecords& AOther) {
  for (const auto& record : AOther.FRecords) FRecords.push_back(record->DoCopyTo());
}

}  // namespace engine::biff
