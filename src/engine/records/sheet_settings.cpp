#include "engine/records/sheet_settings.h"

#include <algorithm>
#include <initializer_list>

#include "base/exception.h"
#include "engine/biff/record_ids.h"

namespace engine::records {

namespace rid = biff::rid;

namespace {

constexpr int kMaxWord = 65535;

// A reference of class T to ARecord, or none when the record is not of that class.
template <class T>
void Link(T*& AReference, biff::TBaseRecord& ARecord) {
  if (T* record = dynamic_cast<T*>(&ARecord)) AReference = record;
}

std::uint16_t CheckedWord(int AValue, const char* AProperty) {
  if (AValue < 0 || AValue > kMaxWord)
    base::Raise(base::TMessage::IndexOutOfRange, {AValue, AProperty, 0, kMaxWord});
  return static_cast<std::uint16_t>(AValue);
}

// A pane count or split offset: a negative one means none.
std::uint16_t SplitWord(int AValue, const char* AOperation) {
  return CheckedWord(std::max(AValue, 0), AOperation);
}

bool HasId(const biff::TBaseRecord* ARecord, std::initializer_list<std::uint16_t> AIds) {
  return ARecord && std::find(AIds.begin(), AIds.end(), ARecord->Id()) != AIds.end();
}

std::size_t IndexOf(const biff::TBaseRecordList& AList, const biff::TBaseRecord* ARecord) {
  for (std::size_t i = 0; i < AList.Count(); ++i)
    if (AList[i] == ARecord) return i;
  return AList.Count();
}

}  // namespace

TSheetSettings TSheetSettings::ForWorksheet(biff::TBaseRecordList& AMiscRecords1,
                                            biff::TBaseRecordList& AMiscRecords2) {
  return TSheetSettings(TSheetKind::Worksheet, AMiscRecords1, &AMiscRecords2);
}

TSheetSettings TSheetSettings::ForChart(biff::TBaseRecordList& AChartRecords) {
  return TSheetSettings(TSheetKind::Chart, AChartRecords, nullptr);
}

TSheetSettings TSheetSettings::ForUnsupportedSheet(biff::TBaseRecordList& ASheetRecords) {
  return TSheetSettings(TSheetKind::Unsupported, ASheetRecords, nullptr);
}

void TSheetSettings::LinkRecord(biff::TBaseRecord& ARecord) {
  switch (ARecord.Id()) {
    case rid::Window2:
      return Link(FWindow2, ARecord);
    case rid::Scl:
      return Link(FZoom, ARecord);
    case rid::Header:
      return Link(FPageHeader, ARecord);
    case rid::Footer:
      return Link(FPageFooter, ARecord);
    case rid::PrintGridLines:
      return Link(FPrintGridLines, ARecord);
    case rid::LeftMargin:
      return Link(FLeftMargin, ARecord);
    case rid::RightMargin:
      return Link(FRightMargin, ARecord);
    case rid::TopMargin:
      return Link(FTopMargin, ARecord);
    case rid::BottomMargin:
      return Link(FBottomMargin, ARecord);
    case rid::Setup:
      return Link(FSetup, ARecord);
    case rid::Pls:
      return Link(FPrinterDriverSettings, ARecord);
    case rid::WsBool:
      return Link(FWSBool, ARecord);
    case rid::HCenter:
      return Link(FHCenter, ARecord);
    case rid::VCenter:
      return Link(FVCenter, ARecord);
    case rid::Pane:
      return Link(FPane, ARecord);
    case rid::Guts:
      return Link(FGuts, ARecord);
    case rid::RefMode:
      return Link(FRefMode, ARecord);
    case rid::AutoFilterInfo:
      return Link(FAutoFilterInfo, ARecord);
    default:
      return;
  }
}

void TSheetSettings::LinkSettingRecords() {
  ClearReferences();
  for (const biff::TBaseRecordList* list : {FPrintRecords, FWindowRecords}) {
    if (!list) continue;
    for (std::size_t i = 0; i < list->Count(); ++i)
      if (biff::TBaseRecord* record = (*list)[i]) LinkRecord(*record);
  }
}

void TSheetSettings::ClearReferences() {
  FWindow2 = nullptr;
  FPageHeader = nullptr;
  FPageFooter = nullptr;
  FPrintGridLines = nullptr;
  FLeftMargin = nullptr;
  FRightMargin = nullptr;
  FTopMargin = nullptr;
  FBottomMargin = nullptr;
  FSetup = nullptr;
  FPrinterDriverSettings = nullptr;
  FWSBool = nullptr;
  FHCenter = nullptr;
  FVCenter = nullptr;
  FZoom = nullptr;
  FGuts = nullptr;
  FPane = nullptr;
  FAutoFilterInfo = nullptr;
  FRefMode = nullptr;
}

bool TSheetSettings::Selected() const {
  return FWindow2 && FWindow2->Selected();
}

void TSheetSettings::SetSelected(bool AValue) {
  if (FWindow2) FWindow2->SetSelected(AValue);
}

bool TSheetSettings::ShowGridLines() const {
  return !FWindow2 || FWindow2->ShowGridLines();
}

void TSheetSettings::SetShowGridLines(bool AValue) {
  if (FWindow2) FWindow2->SetShowGridLines(AValue);
}

bool TSheetSettings::ShowGridHeaders() const {
  return !FWindow2 || FWindow2->ShowGridHeaders();
}

void TSheetSettings::SetShowGridHeaders(bool AValue) {
  if (FWindow2) FWindow2->SetShowGridHeaders(AValue);
}

bool TSheetSettings::PrintGridLines() const {
  return !FPrintGridLines || FPrintGridLines->Value();
}

void TSheetSettings::SetPrintGridLines(bool AValue) {
  if (FPrintGridLines) FPrintGridLines->SetValue(AValue);
}

std::u16string TSheetSettings::PageHeader() const {
  return FPageHeader ? FPageHeader->Text() : std::u16string();
}

void TSheetSettings::SetPageHeader(std::u16string_view AText) {
  if (FPageHeader) SetHeaderFooterText(*FPageHeader, AText);
}

std::u16string TSheetSettings::PageFooter() const {
  return FPageFooter ? FPageFooter->Text() : std::u16string();
}

void TSheetSettings::SetPageFooter(std::u16string_view AText) {
  if (FPageFooter) SetHeaderFooterText(*FPageFooter, AText);
}

void TSheetSettings::SetHeaderFooterText(TPageHeaderFooterRecord& ARecord,
                                         std::u16string_view AText) {
  const std::int64_t before = ARecord.TotalSize();
  ARecord.SetText(AText);
  if (biff::TBaseRecordList* list = ListHolding(ARecord))
    list->AdaptSize(ARecord.TotalSize() - before);
}

bool TSheetSettings::IsR1C1() const {
  return FRefMode && FRefMode->IsR1C1();
}

void TSheetSettings::SetIsR1C1(bool AValue) {
  if (FRefMode) FRefMode->SetIsR1C1(AValue);
}

TXlsMargins TSheetSettings::Margins() const {
  TXlsMargins margins;
  margins.Left = FLeftMargin ? FLeftMargin->Value() : kDefaultSideMargin;
  margins.Right = FRightMargin ? FRightMargin->Value() : kDefaultSideMargin;
  margins.Top = FTopMargin ? FTopMargin->Value() : kDefaultTopBottomMargin;
  margins.Bottom = FBottomMargin ? FBottomMargin->Value() : kDefaultTopBottomMargin;
  margins.Header = FSetup ? FSetup->HeaderMargin() : 0;
  margins.Footer = FSetup ? FSetup->FooterMargin() : 0;
  return margins;
}

void TSheetSettings::SetMargins(const TXlsMargins& AMargins) {
  SetMargin(FLeftMargin, rid::LeftMargin, AMargins.Left);
  SetMargin(FRightMargin, rid::RightMargin, AMargins.Right);
  SetMargin(FTopMargin, rid::TopMargin, AMargins.Top);
  SetMargin(FBottomMargin, rid::BottomMargin, AMargins.Bottom);
  if (FSetup) {
    FSetup->SetHeaderMargin(AMargins.Header);
    FSetup->SetFooterMargin(AMargins.Footer);
  }
}

// A new margin record follows the page records that come before the margins in a sheet.
void TSheetSettings::SetMargin(TMarginRecord*& AReference, std::uint16_t AId, double AValue) {
  if (!AReference) {
    std::size_t position = FPrintRecords->Count();
    while (position > 0 && !HasId((*FPrintRecords)[position - 1],
                                  {rid::LeftMargin, rid::RightMargin, rid::TopMargin,
                                   rid::BottomMargin, rid::VCenter, rid::DefaultRowHeight}))
      --position;
    if (position == 0) position = FPrintRecords->Count();
    std::unique_ptr<TMarginRecord> record = TMarginRecord::CreateNew(AId);
    AReference = record.get();
    FPrintRecords->Insert(position, std::move(record));
  }
  AReference->SetValue(AValue);
}

int TSheetSettings::SheetZoom() const {
  return FZoom ? FZoom->Zoom() : 100;
}

void TSheetSettings::SetSheetZoom(int AZoom) {
  if (!FZoom) AddZoomRecord();
  if (FZoom) FZoom->SetZoom(AZoom);
}

void TSheetSettings::AddZoomRecord() {
  switch (FKind) {
    case TSheetKind::Worksheet:
      if (FWindowRecords->Count() >= 2) {
        std::unique_ptr<TSCLRecord> record = TSCLRecord::CreateFromData(100);
        FZoom = record.get();
        FWindowRecords->Insert(1, std::move(record));
      }
      break;
    case TSheetKind::Chart: {
      std::unique_ptr<TSCLRecord> record = TSCLRecord::CreateFromData(100);
      FZoom = record.get();
      FPrintRecords->Add(std::move(record));
      break;
    }
    case TSheetKind::Unsupported:
      break;
  }
}

void TSheetSettings::SetPaneRecord(bool AValue) {
  if (FKind != TSheetKind::Worksheet) return;
  if (AValue) {
    if (FPane || FWindowRecords->Count() < 2) return;
    // WINDOW2, SCL, PANE is the order of a sheet's view records.
    const std::size_t position = HasId((*FWindowRecords)[1], {rid::Scl}) ? 2 : 1;
    std::unique_ptr<TPaneRecord> record = TPaneRecord::CreateNew();
    FPane = record.get();
    FWindowRecords->Insert(position, std::move(record));
    return;
  }
  for (std::size_t i = FWindowRecords->Count(); i > 0; --i) {
    if (HasId((*FWindowRecords)[i - 1], {rid::Pane})) {
      FWindowRecords->Delete(i - 1);
      break;
    }
  }
  FPane = nullptr;
}

void TSheetSettings::FreezePanes(int ARow, int ACol) {
  const std::uint16_t rows = SplitWord(ARow, "FreezePanes");
  const std::uint16_t cols = SplitWord(ACol, "FreezePanes");
  const bool frozen = rows > 0 || cols > 0;
  if (FWindow2) {
    FWindow2->SetIsFrozen(frozen);
    FWindow2->SetIsFrozenButNoSplit(frozen);
  }
  SetPaneRecord(frozen);
  if (!FPane) return;
  FPane->SetRowSplit(rows);
  FPane->SetFirstVisibleRow(std::max({FPane->FirstVisibleRow(), rows, std::uint16_t{1}}));
  FPane->SetColSplit(cols);
  FPane->SetFirstVisibleCol(std::max({FPane->FirstVisibleCol(), cols, std::uint16_t{1}}));
  FPane->EnsureSelectedVisible();
}

void TSheetSettings::GetFrozenPanes(int& ARow, int& ACol) const {
  ARow = 0;
  ACol = 0;
  if (!FPane || (FWindow2 && !FWindow2->IsFrozen())) return;
  ARow = FPane->RowSplit();
  ACol = FPane->ColSplit();
}

void TSheetSettings::SplitWindow(int AXOffset, int AYOffset) {
  const std::uint16_t x = SplitWord(AXOffset, "SplitWindow");
  const std::uint16_t y = SplitWord(AYOffset, "SplitWindow");
  if (FWindow2) {
    FWindow2->SetIsFrozen(false);
    FWindow2->SetIsFrozenButNoSplit(false);
  }
  SetPaneRecord(x > 0 || y > 0);
  if (!FPane) return;
  FPane->SetRowSplit(y);
  FPane->SetColSplit(x);
  if (FPane->FirstVisibleRow() == 0) FPane->SetFirstVisibleRow(1);
  if (FPane->FirstVisibleCol() == 0) FPane->SetFirstVisibleCol(1);
  FPane->EnsureSelectedVisible();
}

void TSheetSettings::GetSplitWindow(int& AXOffset, int& AYOffset) const {
  AXOffset = 0;
  AYOffset = 0;
  if (!FPane || !FWindow2 || FWindow2->IsFrozen()) return;
  AXOffset = FPane->ColSplit();
  AYOffset = FPane->RowSplit();
}

bool TSheetSettings::PrintToFit() const {
  return FWSBool && FWSBool->FitToPage();
}

void TSheetSettings::SetPrintToFit(bool AValue) {
  if (FWSBool) FWSBool->SetFitToPage(AValue);
}

bool TSheetSettings::OutlineSummaryRowsBelowDetail() const {
  return !FWSBool || FWSBool->OutlineSummaryRowsBelowDetail();
}

void TSheetSettings::SetOutlineSummaryRowsBelowDetail(bool AValue) {
  if (FWSBool) FWSBool->SetOutlineSummaryRowsBelowDetail(AValue);
}

bool TSheetSettings::OutlineSummaryColsRightOfDetail() const {
  return !FWSBool || FWSBool->OutlineSummaryColsRightOfDetail();
}

void TSheetSettings::SetOutlineSummaryColsRightOfDetail(bool AValue) {
  if (FWSBool) FWSBool->SetOutlineSummaryColsRightOfDetail(AValue);
}

bool TSheetSettings::OutlineAutomaticStyles() const {
  return FWSBool && FWSBool->OutlineAutomaticStyles();
}

void TSheetSettings::SetOutlineAutomaticStyles(bool AValue) {
  if (FWSBool) FWSBool->SetOutlineAutomaticStyles(AValue);
}

bool TSheetSettings::PrintHCentered() const {
  return FHCenter && FHCenter->Centered();
}

void TSheetSettings::SetPrintHCentered(bool AValue) {
  if (FHCenter) FHCenter->SetCentered(AValue);
}

bool TSheetSettings::PrintVCentered() const {
  return FVCenter && FVCenter->Centered();
}

void TSheetSettings::SetPrintVCentered(bool AValue) {
  if (FVCenter) FVCenter->SetCentered(AValue);
}

int TSheetSettings::PrintScale() const {
  return FSetup ? FSetup->Scale() : 100;
}

void TSheetSettings::SetPrintScale(int AValue) {
  const std::uint16_t value = CheckedWord(AValue, "PrintScale");
  if (FSetup) FSetup->SetScale(value);
}

int TSheetSettings::PrintNumberOfHorizontalPages() const {
  return FSetup ? FSetup->FitWidth() : 1;
}

void TSheetSettings::SetPrintNumberOfHorizontalPages(int AValue) {
  const std::uint16_t value = CheckedWord(AValue, "PrintNumberOfHorizontalPages");
  if (FSetup) FSetup->SetFitWidth(value);
}

int TSheetSettings::PrintNumberOfVerticalPages() const {
  return FSetup ? FSetup->FitHeight() : 1;
}

void TSheetSettings::SetPrintNumberOfVerticalPages(int AValue) {
  const std::uint16_t value = CheckedWord(AValue, "PrintNumberOfVerticalPages");
  if (FSetup) FSetup->SetFitHeight(value);
}

int TSheetSettings::PrintOptions() const {
  return FSetup ? FSetup->PrintOptions() : 0;
}

void TSheetSettings::SetPrintOptions(int AValue) {
  if (FSetup) FSetup->SetPrintOptions(static_cast<std::uint16_t>(AValue & 0xFF));
}

int TSheetSettings::PrintPaperSize() const {
  return FSetup ? FSetup->PrintPaperSize() : 1;
}

void TSheetSettings::SetPrintPaperSize(int AValue) {
  const std::uint16_t value = CheckedWord(AValue, "PrintPaperSize");
  if (FSetup) FSetup->SetPrintPaperSize(value);
}

int TSheetSettings::PrintCopies() const {
  return FSetup ? FSetup->PrintCopies() : 1;
}

void TSheetSettings::SetPrintCopies(int AValue) {
  const std::uint16_t value = CheckedWord(AValue, "PrintCopies");
  if (FSetup) FSetup->SetPrintCopies(value);
}

int TSheetSettings::PrintXResolution() const {
  return FSetup ? FSetup->PrintXResolution() : 600;
}

void TSheetSettings::SetPrintXResolution(int AValue) {
  const std::uint16_t value = CheckedWord(AValue, "PrintXResolution");
  if (FSetup) FSetup->SetPrintXResolution(value);
}

int TSheetSettings::PrintYResolution() const {
  return FSetup ? FSetup->PrintYResolution() : 600;
}

void TSheetSettings::SetPrintYResolution(int AValue) {
  const std::uint16_t value = CheckedWord(AValue, "PrintYResolution");
  if (FSetup) FSetup->SetPrintYResolution(value);
}

TPrinterDriverSettings TSheetSettings::PrinterDriverSettings() const {
  return FPrinterDriverSettings ? FPrinterDriverSettings->PrinterData() : TPrinterDriverSettings();
}

void TSheetSettings::SetPrinterDriverSettings(const TPrinterDriverSettings& ASettings) {
  if (ASettings.Data.empty()) {
    RemovePrinterDriverSettings();
    return;
  }
  std::unique_ptr<TPlsRecord> record = TPlsRecord::CreateFromData(ASettings);
  RemovePrinterDriverSettings();
  FPrinterDriverSettings = record.get();
  FPrintRecords->Insert(IndexOf(*FPrintRecords, FSetup), std::move(record));
  if (FSetup) FSetup->SetPrinterSettingsValid();
}

void TSheetSettings::RemovePrinterDriverSettings() {
  for (std::size_t i = FPrintRecords->Count(); i > 0; --i)
    if (HasId((*FPrintRecords)[i - 1], {rid::Pls})) FPrintRecords->Delete(i - 1);
  FPrinterDriverSettings = nullptr;
}

void TSheetSettings::EnsureGutsForOutline() {
  if (!FGuts) {
    std::size_t position = 0;
    while (position < FPrintRecords->Count() &&
           !HasId((*FPrintRecords)[position], {rid::DefaultRowHeight}))
      ++position;
    std::unique_ptr<TGutsRecord> record = TGutsRecord::CreateNew();
    FGuts = record.get();
    FPrintRecords->Insert(position, std::move(record));
  }
  FGuts->RecalcNeeded = true;
}

void TSheetSettings::RecalcGuts(const TOutlineLevelSource& ALevels) {
  if (!FGuts || !FGuts->RecalcNeeded) return;
  FGuts->SetRowLevel(ALevels.MaxRowOutlineLevel());
  FGuts->SetColLevel(ALevels.MaxColOutlineLevel());
  FGuts->RecalcNeeded = false;
}

biff::TBaseRecordList* TSheetSettings::ListHolding(const biff::TBaseRecord& ARecord) const {
  for (biff::TBaseRecordList* list : {FPrintRecords, FWindowRecords})
    if (list && IndexOf(*list, &ARecord) < list->Count()) return list;
  return nullptr;
}

}  // namespace engine::records
