#include "engine/records/workbook_settings.h"

#include "engine/biff/record_ids.h"

namespace engine::records {

namespace {

template <class T>
void Link(T*& AReference, biff::TBaseRecord& ARecord) {
  if (T* record = dynamic_cast<T*>(&ARecord)) AReference = record;
}

}  // namespace

void TWorkbookSettings::LinkRecord(biff::TBaseRecord& ARecord) {
  switch (ARecord.Id()) {
    case biff::rid::Window1:
      return Link(FWindow1, ARecord);
    case biff::rid::Date1904:
      return Link(F1904, ARecord);
    case biff::rid::BookBool:
      return Link(FBookBool, ARecord);
    case biff::rid::Precision:
      return Link(FPrecision, ARecord);
    default:
      return;
  }
}

void TWorkbookSettings::ClearReferences() {
  FWindow1 = nullptr;
  F1904 = nullptr;
  FBookBool = nullptr;
  FPrecision = nullptr;
}

int TWorkbookSettings::ActiveSheet() const {
  return FWindow1 ? FWindow1->ActiveSheet() : 0;
}

void TWorkbookSettings::SetActiveSheet(std::uint16_t AValue) {
  if (FWindow1) FWindow1->SetActiveSheet(AValue);
}

void TWorkbookSettings::SetFirstSheetVisible(std::uint16_t AIndex) {
  if (FWindow1) FWindow1->SetFirstSheetVisible(AIndex);
}

bool TWorkbookSettings::Is1904() const {
  return F1904 && F1904->Is1904();
}

void TWorkbookSettings::SetIs1904(bool AValue) {
  if (F1904) F1904->SetIs1904(AValue);
}

bool TWorkbookSettings::PrecisionAsDisplayed() const {
  return FPrecision && FPrecision->PrecisionAsDisplayed();
}

void TWorkbookSettings::SetPrecisionAsDisplayed(bool AValue) {
  if (FPrecision) FPrecision->SetPrecisionAsDisplayed(AValue);
}

bool TWorkbookSettings::SaveExternalLinkValues() const {
  return FBookBool && FBookBool->SaveExternalLinkValues();
}

void TWorkbookSettings::SetSaveExternalLinkValues(bool AValue) {
  if (FBookBool) FBookBool->SetSaveExternalLinkValues(AValue);
}

}  // namespace engine::records
