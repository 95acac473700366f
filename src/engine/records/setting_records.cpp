#include "engine/records/setting_records.h"

#include <algorithm>

#include "base/exception.h"
#include "base/little_endian.h"
#include "engine/biff/record_ids.h"
#include "engine/biff/record_reader.h"
#include "engine/strings/excel_string.h"

namespace engine::records {

namespace {

double GetDouble(std::span<const std::uint8_t> AData, std::size_t AOffset) {
  base::CheckRange(AData.size(), AOffset, 8);
  return base::LoadLEDouble(AData.data() + AOffset);
}

void SetDouble(std::span<std::uint8_t> AData, std::size_t AOffset, double AValue) {
  base::CheckRange(AData.size(), AOffset, 8);
  base::StoreLEDouble(AData.data() + AOffset, AValue);
}

// Sets or clears the bits of AMask in the word at offset 0.
void SetFlagBits(biff::TBaseRecord& ARecord, std::uint16_t AMask, bool AValue) {
  const std::uint16_t flags = ARecord.GetWord(0);
  ARecord.SetWord(0, static_cast<std::uint16_t>(AValue ? flags | AMask : flags & ~AMask));
}

}  // namespace

std::u16string TPageHeaderFooterRecord::Text() const {
  if (DataSize() == 0) return {};
  biff::TRecordCursor cursor{this, 0};
  return strings::TExcelString(2, cursor).Value();
}

void TPageHeaderFooterRecord::SetText(std::u16string_view AText) {
  const strings::TExcelString text(2, AText, false);
  biff::TRecordData data = biff::TRecordData::Allocate(static_cast<std::size_t>(text.TotalSize()));
  text.CopyToPtr(data.Span(), 0);
  ReplaceData(std::move(data));
}

std::unique_ptr<TMarginRecord> TMarginRecord::CreateNew(std::uint16_t AId) {
  return std::make_unique<TMarginRecord>(AId, biff::TRecordData::Allocate(kDataSize));
}

double TMarginRecord::Value() const {
  return GetDouble(Data(), 0);
}

void TMarginRecord::SetValue(double AValue) {
  if (DataSize() != kDataSize) base::Raise(base::TMessage::ErrorInMarginRecord);
  SetDouble(Data(), 0, AValue);
}

void TWindow1Record::SetActiveSheet(std::uint16_t AValue) {
  SetWord(10, AValue);
  SetWord(12, 0);
  SetWord(14, 1);
}

void TWindow1Record::SaveToStream(biff::TRecordSink& AStream) {
  for (std::size_t offset : {4, 6})
    if (DataSize() >= offset + 2 && GetWord(offset) == 0) SetWord(offset, 1);
  TConcreteRecord::SaveToStream(AStream);
}

std::unique_ptr<TPaneRecord> TPaneRecord::CreateNew() {
  return std::make_unique<TPaneRecord>(biff::rid::Pane, biff::TRecordData::Allocate(kDataSize));
}

void TPaneRecord::EnsureSelectedVisible() {
  const bool cols = ColSplit() > 0;
  const bool rows = RowSplit() > 0;
  constexpr std::uint16_t kBottomRight = 0, kTopRight = 1, kBottomLeft = 2, kTopLeft = 3;
  switch (ActivePane()) {
    case kTopRight:
      if (!cols) SetActivePane(kTopLeft);
      break;
    case kBottomLeft:
      if (!rows) SetActivePane(kTopLeft);
      break;
    case kBottomRight:
      if (!cols || !rows) SetActivePane(cols ? kTopRight : rows ? kBottomLeft : kTopLeft);
      break;
    default:
      break;
  }
}

std::unique_ptr<TPlsRecord> TPlsRecord::CreateFromData(const TPrinterDriverSettings& ASettings) {
  const std::span<const std::uint8_t> data(ASettings.Data);
  const std::size_t first = std::min(data.size(), biff::kMaxRecordDataSize - 2);
  biff::TRecordData body = biff::TRecordData::Allocate(first + 2);
  base::StoreLE16(body.Bytes(), ASettings.OperatingEnviroment);
  std::copy_n(data.begin(), first, body.Bytes() + 2);
  auto record = std::make_unique<TPlsRecord>(biff::rid::Pls, std::move(body));
  biff::TBaseRecord* tail = record.get();
  for (std::size_t pos = first; pos < data.size(); pos += biff::kMaxRecordDataSize) {
    auto part = std::make_unique<biff::TContinueRecord>(
        biff::rid::Continue, biff::TRecordData::CopyOf(data.subspan(
                                 pos, std::min(biff::kMaxRecordDataSize, data.size() - pos))));
    biff::TBaseRecord* next = part.get();
    tail->AddContinue(std::move(part));
    tail = next;
  }
  return record;
}

TPrinterDriverSettings TPlsRecord::PrinterData() const {
  TPrinterDriverSettings settings;
  settings.OperatingEnviroment = GetWord(0);
  const auto body = Data().subspan(2);
  settings.Data.assign(body.begin(), body.end());
  for (const biff::TContinueRecord* part = Continue(); part; part = part->Continue())
    settings.Data.insert(settings.Data.end(), part->Data().begin(), part->Data().end());
  return settings;
}

void TDefColWidthRecord::SaveToStream(biff::TRecordSink& AStream) {
  if (DataSize() >= 2 && Width() > kMaxWidth) SetWord(0, kMaxWidth);
  TConcreteRecord::SaveToStream(AStream);
}

std::unique_ptr<TGutsRecord> TGutsRecord::CreateNew() {
  return std::make_unique<TGutsRecord>(biff::rid::Guts, biff::TRecordData::Allocate(kDataSize));
}

std::unique_ptr<biff::TBaseRecord> TGutsRecord::DoCopyTo() const {
  std::unique_ptr<biff::TBaseRecord> copy = TConcreteRecord::DoCopyTo();
  static_cast<TGutsRecord&>(*copy).RecalcNeeded = RecalcNeeded;
  return copy;
}

// The gutter takes 29 units for the level buttons and 12 more per level shown beyond the
// first; past 7 levels it stays at its widest, 8 levels shown.
void TGutsRecord::SetLevel(std::size_t AGutterPos, std::size_t ALevelsPos, int ALevel) {
  std::uint16_t gutter = 0;
  std::uint16_t levels = 0;
  if (ALevel > 7) {
    gutter = 113;
    levels = 8;
  } else if (ALevel > 0) {
    gutter = static_cast<std::uint16_t>(12 * ALevel + 29);
    levels = static_cast<std::uint16_t>(ALevel + 1);
  }
  SetWord(AGutterPos, gutter);
  SetWord(ALevelsPos, levels);
}

void TWsBoolRecord::SetBit(std::uint16_t AMask, bool AValue) {
  SetFlagBits(*this, AMask, AValue);
}

std::unique_ptr<TSCLRecord> TSCLRecord::CreateFromData(int AZoom) {
  auto record =
      std::make_unique<TSCLRecord>(biff::rid::Scl, biff::TRecordData::Allocate(kDataSize));
  record->SetZoom(AZoom);
  return record;
}

int TSCLRecord::Zoom() const {
  const std::uint32_t numerator = GetWord(0) * 100u;
  const std::uint32_t denominator = GetWord(2);
  if (denominator == 0) return 100;
  std::uint32_t zoom = numerator / denominator;
  const std::uint32_t twiceRest = 2 * (numerator % denominator);
  if (twiceRest > denominator || (twiceRest == denominator && zoom % 2 == 1)) ++zoom;
  return static_cast<int>(zoom);
}

void TSCLRecord::SetZoom(int AZoom) {
  SetWord(0, static_cast<std::uint16_t>(std::clamp(AZoom, kMinZoom, kMaxZoom)));
  SetWord(2, 100);
}

TSetupRec TSetupRecord::Value() const {
  base::CheckRange(DataSize(), 0, kDataSize);
  TSetupRec value;
  value.PaperSize = GetWord(0);
  value.Scale = GetWord(2);
  value.PageStart = GetWord(4);
  value.FitWidth = GetWord(6);
  value.FitHeight = GetWord(8);
  value.GrBit = GetWord(10);
  value.Resolution = GetWord(12);
  value.VResolution = GetWord(14);
  value.HeaderMargin = HeaderMargin();
  value.FooterMargin = FooterMargin();
  value.Copies = GetWord(32);
  return value;
}

void TSetupRecord::SetValue(const TSetupRec& AValue) {
  if (DataSize() != kDataSize) base::Raise(base::TMessage::ErrorInSetupRecord);
  SetWord(0, AValue.PaperSize);
  SetWord(2, AValue.Scale);
  SetWord(4, AValue.PageStart);
  SetWord(6, AValue.FitWidth);
  SetWord(8, AValue.FitHeight);
  SetWord(10, AValue.GrBit);
  SetWord(12, AValue.Resolution);
  SetWord(14, AValue.VResolution);
  SetHeaderMargin(AValue.HeaderMargin);
  SetFooterMargin(AValue.FooterMargin);
  SetWord(32, AValue.Copies);
}

double TSetupRecord::HeaderMargin() const {
  return GetDouble(Data(), 16);
}

void TSetupRecord::SetHeaderMargin(double AValue) {
  SetDouble(Data(), 16, AValue);
}

double TSetupRecord::FooterMargin() const {
  return GetDouble(Data(), 24);
}

void TSetupRecord::SetFooterMargin(double AValue) {
  SetDouble(Data(), 24, AValue);
}

void TSetupRecord::SetPrinterSettingsValid() {
  SetWord(10, PrintOptions() & ~kPrinterSettingsNotValid);
}

std::uint16_t TSetupRecord::PrinterField(std::size_t AOffset, std::uint16_t AWhenNotValid) const {
  return PrintOptions() & kPrinterSettingsNotValid ? AWhenNotValid : GetWord(AOffset);
}

void TSetupRecord::SetPrinterField(std::size_t AOffset, std::uint16_t AValue) {
  base::CheckRange(DataSize(), AOffset, 2);
  SetPrinterSettingsValid();
  SetWord(AOffset, AValue);
}

void TWindow2Record::SetBit(std::uint16_t AMask, bool AValue) {
  SetFlagBits(*this, AMask, AValue);
}

std::unique_ptr<biff::TBaseRecord> TWindow2Record::DoCopyTo() const {
  std::unique_ptr<biff::TBaseRecord> copy = TConcreteRecord::DoCopyTo();
  if (copy->DataSize() >= 2) static_cast<TWindow2Record&>(*copy).SetBit(kSelected | kShown, false);
  return copy;
}

}  // namespace engine::records
