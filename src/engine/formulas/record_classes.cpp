#include "engine/formulas/record_classes.h"

#include "engine/biff/record_ids.h"
#include "engine/formulas/formula_records.h"
#include "engine/formulas/reference_records.h"

namespace engine::formulas {

bool TFormulaRecord::TakesAttachment(std::uint16_t AId) const {
  return AId == biff::rid::Table || AId == biff::rid::Array;
}

std::unique_ptr<biff::TBaseRecord> TFormulaRecord::DoCopyTo() const {
  std::unique_ptr<biff::TBaseRecord> copy = TConcreteRecord::DoCopyTo();
  static_cast<TFormulaRecord&>(*copy).FAttached.CopyFrom(FAttached);
  return copy;
}

void TFormulaRecord::SaveToStream(biff::TRecordSink& AStream) {
  TConcreteRecord::SaveToStream(AStream);
  FAttached.SaveToStream(AStream);
}

std::int64_t TFormulaRecord::TotalSize() const {
  return TConcreteRecord::TotalSize() + FAttached.TotalSize();
}

void RegisterRecordClasses(biff::TRecordFactory& AFactory) {
  using C = biff::TRecordClassId;
  using biff::ConstructRecord;
  AFactory.Register(C::Formula, ConstructRecord<TFormulaRecord>);
  AFactory.Register(C::String, ConstructRecord<TStringRecord>);
  AFactory.Register(C::Array, ConstructRecord<TArrayRecord>);
  AFactory.Register(C::Table, ConstructRecord<TTableRecord>);
  AFactory.Register(C::ShrFmla, ConstructRecord<TShrFmlaRecord>);
  AFactory.Register(C::SupBook, ConstructRecord<TSupBookRecord>);
  AFactory.Register(C::ExternSheet, ConstructRecord<TExternSheetRecord>);
  AFactory.Register(C::ExternName, ConstructRecord<TExternNameRecord>);
  AFactory.Register(C::Name, ConstructRecord<TNameRecord>);
}

}  // namespace engine::formulas
