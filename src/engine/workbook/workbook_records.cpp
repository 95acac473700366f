#include "engine/workbook/workbook_records.h"

#include "base/exception.h"
#include "engine/formulas/record_classes.h"
#include "engine/records/record_classes.h"
#include "engine/strings/string_records.h"
#include "engine/workbook/section_records.h"

namespace engine::workbook {

TBOFRecord::TBOFRecord(std::uint16_t AId, biff::TRecordData AData)
    : TConcreteRecord(AId, std::move(AData)) {
  if (DataSize() < 2 || GetWord(0) != kBiff8Version)
    base::Raise(base::TMessage::InvalidExcelVersion);
}

void RegisterRecordClasses(biff::TRecordFactory& AFactory) {
  using C = biff::TRecordClassId;
  using biff::ConstructRecord;
  AFactory.Register(C::Bof, ConstructRecord<TBOFRecord>);
  AFactory.Register(C::Eof, ConstructRecord<TEOFRecord>);
  AFactory.Register(C::BoundSheet, ConstructRecord<TBoundSheetRecord>);
  AFactory.Register(C::Template, ConstructRecord<TTemplateRecord>);
  AFactory.Register(C::ObProj, ConstructRecord<TObProjRecord>);
  AFactory.Register(C::CodeName, ConstructRecord<TCodeNameRecord>);
}

namespace {

biff::TRecordFactory MakeWorkbookRecordFactory() {
  biff::TRecordFactory factory;
  strings::RegisterRecordClasses(factory);
  records::RegisterRecordClasses(factory);
  formulas::RegisterRecordClasses(factory);
  RegisterRecordClasses(factory);
  if (auto missing = factory.MissingClasses(); !missing.empty())
    base::Raise(base::TMessage::RecordClassNotRegistered, {biff::RecordClassName(missing.front())});
  return factory;
}

}  // namespace

const biff::TRecordFactory& WorkbookRecordFactory() {
  static const biff::TRecordFactory factory = MakeWorkbookRecordFactory();
  return factory;
}

}  // namespace engine::workbook
