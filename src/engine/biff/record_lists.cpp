#include "engine/biff/record_lists.h"

#include <stdexcept>

#include "base/exception.h"
#include "engine/biff/record_stream.h"

namespace engine::biff {

namespace {

std::int64_t SizeOf(const TBaseRecord* ARecord) {
  return ARecord ? ARecord->TotalSize() : 0;
}

}  // namespace

void TRecordListCore::Delete(std::size_t AIndex) {
  FTotalSize -= SizeOf(FRecords.at(AIndex).get());
  FRecords.erase(FRecords.begin() + static_cast<std::ptrdiff_t>(AIndex));
  ListChanged(TListChange::Other);
}

void TRecordListCore::Clear() {
  FRecords.clear();
  FTotalSize = 0;
  ListChanged(TListChange::Other);
}

void TRecordListCore::SaveToStream(TRecordSink& AStream) {
  for (auto& record : FRecords)
    if (record) SaveRecordChecked(*record, AStream);
}

std::size_t TRecordListCore::AddRecord(std::unique_ptr<TBaseRecord> ARecord) {
  FTotalSize += SizeOf(ARecord.get());
  FRecords.push_back(std::move(ARecord));
  ListChanged(TListChange::Appended);
  return FRecords.size() - 1;
}

void TRecordListCore::InsertRecord(std::size_t AIndex, std::unique_ptr<TBaseRecord> ARecord) {
  if (AIndex > FRecords.size()) throw std::out_of_range("record list position");
  FTotalSize += SizeOf(ARecord.get());
  FRecords.insert(FRecords.begin() + static_cast<std::ptrdiff_t>(AIndex), std::move(ARecord));
  ListChanged(TListChange::Other);
}

void TRecordListCore::ReplaceRecord(std::size_t AIndex, std::unique_ptr<TBaseRecord> ARecord) {
  std::unique_ptr<TBaseRecord>& slot = FRecords.at(AIndex);
  FTotalSize += SizeOf(ARecord.get()) - SizeOf(slot.get());
  slot = std::move(ARecord);
  ListChanged(TListChange::Other);
}

void SaveRecordChecked(TBaseRecord& ARecord, TRecordSink& AStream) {
  std::int64_t start = AStream.Position();
  ARecord.SaveToStream(AStream);
  std::int64_t written = AStream.Position() - start;
  if (written != ARecord.WrittenSize())
    base::Raise(base::TMessage::RecordSizeMismatch, {ARecord.Id(), written, ARecord.WrittenSize()});
}

std::unique_ptr<TSubListRecord> TSubListRecord::CreateAndAssign(TRecordListCore& ASubList) {
  return std::unique_ptr<TSubListRecord>(new TSubListRecord(ASubList));
}

void TSubListRecord::SaveToStream(TRecordSink& AStream) {
  FSubList->SaveToStream(AStream);
}

std::size_t TShrFmlaRecordList::Add(std::unique_ptr<TBaseRecord> ARecord, std::uint32_t AKey) {
  FEntries.push_back({AKey, std::move(ARecord)});
  FSorted = false;
  return FEntries.size() - 1;
}

bool TShrFmlaRecordList::Find(std::uint32_t AKey, std::size_t& AIndex) {
  if (!FSorted) {
    std::stable_sort(FEntries.begin(), FEntries.end(),
                     [](const TEntry& A, const TEntry& B) { return A.Key < B.Key; });
    FSorted = true;
  }
  auto found = std::lower_bound(
      FEntries.begin(), FEntries.end(), AKey,
      [](const TEntry& AEntry, std::uint32_t AValue) { return AEntry.Key < AValue; });
  AIndex = static_cast<std::size_t>(found - FEntries.begin());
  return found != FEntries.end() && found->Key == AKey;
}

}  // namespace engine::biff
