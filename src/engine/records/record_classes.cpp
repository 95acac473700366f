#include "engine/records/record_classes.h"

#include "engine/biff/record_ids.h"
#include "engine/biff/record_lists.h"
#include "engine/records/carried_records.h"
#include "engine/records/cell_records.h"
#include "engine/records/chart_records.h"
#include "engine/records/format_records.h"
#include "engine/records/range_records.h"
#include "engine/records/setting_records.h"

namespace engine::records {

bool THLinkRecord::TakesAttachment(std::uint16_t AId) const {
  return AId == biff::rid::HLinkTooltip;
}

std::unique_ptr<biff::TBaseRecord> THLinkRecord::DoCopyTo() const {
  std::unique_ptr<biff::TBaseRecord> copy = TConcreteRecord::DoCopyTo();
  static_cast<THLinkRecord&>(*copy).FScreenTips.CopyFrom(FScreenTips);
  return copy;
}

void THLinkRecord::SaveToStream(biff::TRecordSink& AStream) {
  TConcreteRecord::SaveToStream(AStream);
  FScreenTips.SaveToStream(AStream);
}

std::int64_t THLinkRecord::TotalSize() const {
  return TConcreteRecord::TotalSize() + FScreenTips.TotalSize();
}

void RegisterRecordClasses(biff::TRecordFactory& AFactory) {
  using C = biff::TRecordClassId;
  using biff::ConstructRecord;
  // Formats
  AFactory.Register(C::Font, ConstructRecord<TFontRecord>);
  AFactory.Register(C::XF, ConstructRecord<TXFRecord>);
  AFactory.Register(C::Format, ConstructRecord<TFormatRecord>);
  AFactory.Register(C::Palette, ConstructRecord<TPaletteRecord>);
  AFactory.Register(C::Style, ConstructRecord<TStyleRecord>);
  // Cells, rows and columns
  AFactory.Register(C::Blank, ConstructRecord<TBlankRecord>);
  AFactory.Register(C::Number, ConstructRecord<TNumberRecord>);
  AFactory.Register(C::Rk, ConstructRecord<TRKRecord>);
  AFactory.Register(C::BoolErr, ConstructRecord<TBoolErrRecord>);
  AFactory.Register(C::MulRk, ConstructRecord<TMulRKRecord>);
  AFactory.Register(C::MulBlank, ConstructRecord<TMulBlankRecord>);
  AFactory.Register(C::Row, ConstructRecord<TRowRecord>);
  AFactory.Register(C::ColInfo, ConstructRecord<TColInfoRecord>);
  AFactory.Register(C::Dimensions, ConstructRecord<TDimensionsRecord>);
  // Settings
  AFactory.Register(C::Precision, ConstructRecord<TPrecisionRecord>);
  AFactory.Register(C::RefMode, ConstructRecord<TRefModeRecord>);
  AFactory.Register(C::PageHeader, ConstructRecord<TPageHeaderRecord>);
  AFactory.Register(C::PageFooter, ConstructRecord<TPageFooterRecord>);
  AFactory.Register(C::Date1904, ConstructRecord<T1904Record>);
  AFactory.Register(C::Margin, ConstructRecord<TMarginRecord>);
  AFactory.Register(C::PrintGridLines, ConstructRecord<TPrintGridLinesRecord>);
  AFactory.Register(C::Window1, ConstructRecord<TWindow1Record>);
  AFactory.Register(C::Pane, ConstructRecord<TPaneRecord>);
  AFactory.Register(C::Pls, ConstructRecord<TPlsRecord>);
  AFactory.Register(C::DefColWidth, ConstructRecord<TDefColWidthRecord>);
  AFactory.Register(C::Guts, ConstructRecord<TGutsRecord>);
  AFactory.Register(C::WsBool, ConstructRecord<TWsBoolRecord>);
  AFactory.Register(C::PrintCentered, ConstructRecord<TPrintCenteredRecord>);
  AFactory.Register(C::StandardWidth, ConstructRecord<TStandardWidthRecord>);
  AFactory.Register(C::AutoFilterInfo, ConstructRecord<TAutoFilterInfoRecord>);
  AFactory.Register(C::Scl, ConstructRecord<TSCLRecord>);
  AFactory.Register(C::Setup, ConstructRecord<TSetupRecord>);
  AFactory.Register(C::BookBool, ConstructRecord<TBookBoolRecord>);
  AFactory.Register(C::DefRowHeight, ConstructRecord<TDefRowHeightRecord>);
  AFactory.Register(C::Window2, ConstructRecord<TWindow2Record>);
  // Ranges
  AFactory.Register(C::CellMerging, ConstructRecord<TCellMergingRecord>);
  AFactory.Register(C::CondFmt, ConstructRecord<TCondFmtRecord>);
  AFactory.Register(C::CF, ConstructRecord<TCFRecord>);
  AFactory.Register(C::DVal, ConstructRecord<TDValRecord>);
  // Charts
  AFactory.Register(C::ChartBegin, ConstructRecord<TBeginRecord>);
  AFactory.Register(C::ChartEnd, ConstructRecord<TEndRecord>);
  AFactory.Register(C::ChartAI, ConstructRecord<TChartAIRecord>);
  // Carried
  AFactory.Register(C::VPageBreak, ConstructRecord<TVPageBreakRecord>);
  AFactory.Register(C::HPageBreak, ConstructRecord<THPageBreakRecord>);
  AFactory.Register(C::Note, ConstructRecord<TNoteRecord>);
  AFactory.Register(C::Obj, ConstructRecord<TObjRecord>);
  AFactory.Register(C::Txo, ConstructRecord<TTXORecord>);
  AFactory.Register(C::HLink, ConstructRecord<THLinkRecord>);
  AFactory.Register(C::ScreenTip, ConstructRecord<TScreenTipRecord>);
  AFactory.Register(C::DrawingGroup, ConstructRecord<TDrawingGroupRecord>);
  AFactory.Register(C::Drawing, ConstructRecord<TDrawingRecord>);
}

}  // namespace engine::records
