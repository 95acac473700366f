#include "engine/biff/record_factory.h"

#include <algorithm>

#include "base/exception.h"
#include "engine/biff/record_ids.h"

namespace engine::biff {

namespace {

using C = TRecordClassId;

struct TRecordKind {
  std::uint16_t Id;
  std::string_view Name;  // the BIFF8 record name
  TRecordClassId Class;
};

// Sorted by id. The ignored ids are the records the engine regenerates (EXTSST) or leaves out
// of every saved file.
constexpr TRecordKind kRecordKinds[] = {
    {rid::Formula, "FORMULA", C::Formula},
    {rid::Eof, "EOF", C::Eof},
    {rid::Precision, "PRECISION", C::Precision},
    {rid::RefMode, "REFMODE", C::RefMode},
    {rid::Header, "HEADER", C::PageHeader},
    {rid::Footer, "FOOTER", C::PageFooter},
    {rid::ExternSheet, "EXTERNSHEET", C::ExternSheet},
    {rid::Name, "NAME", C::Name},
    {rid::VerticalPageBreaks, "VERTICALPAGEBREAKS", C::VPageBreak},
    {rid::HorizontalPageBreaks, "HORIZONTALPAGEBREAKS", C::HPageBreak},
    {rid::Note, "NOTE", C::Note},
    {rid::Date1904, "1904", C::Date1904},
    {rid::ExternNameBiff3, "EXTERNNAME", C::ExternName},
    {rid::LeftMargin, "LEFTMARGIN", C::Margin},
    {rid::RightMargin, "RIGHTMARGIN", C::Margin},
    {rid::TopMargin, "TOPMARGIN", C::Margin},
    {rid::BottomMargin, "BOTTOMMARGIN", C::Margin},
    {rid::PrintGridLines, "PRINTGRIDLINES", C::PrintGridLines},
    {rid::FilePass, "FILEPASS", C::Refused},
    {rid::Font, "FONT", C::Font},
    {rid::Continue, "CONTINUE", C::Continue},
    {rid::Window1, "WINDOW1", C::Window1},
    {rid::Pane, "PANE", C::Pane},
    {rid::Pls, "PLS", C::Pls},
    {rid::DefColWidth, "DEFCOLWIDTH", C::DefColWidth},
    {rid::Xct, "XCT", C::Ignore},
    {rid::Crn, "CRN", C::Ignore},
    {rid::Obj, "OBJ", C::Obj},
    {rid::Template, "TEMPLATE", C::Template},
    {rid::ColInfo, "COLINFO", C::ColInfo},
    {rid::Guts, "GUTS", C::Guts},
    {rid::WsBool, "WSBOOL", C::WsBool},
    {rid::HCenter, "HCENTER", C::PrintCentered},
    {rid::VCenter, "VCENTER", C::PrintCentered},
    {rid::BoundSheet, "BOUNDSHEET", C::BoundSheet},
    {rid::Palette, "PALETTE", C::Palette},
    {rid::StandardWidth, "STANDARDWIDTH", C::StandardWidth},
    {rid::AutoFilterInfo, "AUTOFILTERINFO", C::AutoFilterInfo},
    {rid::Scl, "SCL", C::Scl},
    {rid::Setup, "SETUP", C::Setup},
    {rid::MulRk, "MULRK", C::MulRk},
    {rid::MulBlank, "MULBLANK", C::MulBlank},
    {rid::ObProj, "OBPROJ", C::ObProj},
    {rid::RString, "RSTRING", C::RString},
    {rid::DbCell, "DBCELL", C::Ignore},
    {rid::BookBool, "BOOKBOOL", C::BookBool},
    {rid::XF, "XF", C::XF},
    {rid::MergedCells, "MERGEDCELLS", C::CellMerging},
    {rid::MsoDrawingGroup, "MSODRAWINGGROUP", C::DrawingGroup},
    {rid::MsoDrawing, "MSODRAWING", C::Drawing},
    {rid::MsoDrawingSelection, "MSODRAWINGSELECTION", C::Ignore},
    {rid::Sst, "SST", C::Sst},
    {rid::LabelSst, "LABELSST", C::LabelSst},
    {rid::ExtSst, "EXTSST", C::Ignore},
    {rid::TabId, "TABID", C::Ignore},
    {rid::SupBook, "SUPBOOK", C::SupBook},
    {rid::CondFmt, "CONDFMT", C::CondFmt},
    {rid::CF, "CF", C::CF},
    {rid::DVal, "DVAL", C::DVal},
    {rid::Txo, "TXO", C::Txo},
    {rid::HLink, "HLINK", C::HLink},
    {rid::CodeName, "CODENAME", C::CodeName},
    {rid::RecalcId, "RECALCID", C::Ignore},
    {rid::Dimensions, "DIMENSIONS", C::Dimensions},
    {rid::Blank, "BLANK", C::Blank},
    {rid::Number, "NUMBER", C::Number},
    {rid::Label, "LABEL", C::Label},
    {rid::BoolErr, "BOOLERR", C::BoolErr},
    {rid::String, "STRING", C::String},
    {rid::Row, "ROW", C::Row},
    {rid::Index, "INDEX", C::Ignore},
    {rid::Array, "ARRAY", C::Array},
    {rid::ExternName, "EXTERNNAME", C::ExternName},
    {rid::DefaultRowHeight, "DEFAULTROWHEIGHT", C::DefRowHeight},
    {rid::Table, "TABLE", C::Table},
    {rid::Window2, "WINDOW2", C::Window2},
    {rid::Rk, "RK", C::Rk},
    {rid::Style, "STYLE", C::Style},
    {rid::Format, "FORMAT", C::Format},
    {rid::ShrFmla, "SHRFMLA", C::ShrFmla},
    {rid::HLinkTooltip, "HLINKTOOLTIP", C::ScreenTip},
    {rid::Bof, "BOF", C::Bof},
    {rid::ChartBegin, "BEGIN", C::ChartBegin},
    {rid::ChartEnd, "END", C::ChartEnd},
    {rid::ChartAI, "AI", C::ChartAI},
    {rid::ChartFbi, "FBI", C::Ignore},
};

static_assert(std::is_sorted(std::begin(kRecordKinds), std::end(kRecordKinds),
                             [](const TRecordKind& A, const TRecordKind& B) {
                               return A.Id < B.Id;
                             }));

constexpr std::string_view kClassNames[kRecordClassCount] = {
    "TBaseRecord",
    "(refused)",
    "TContinueRecord",
    "TIgnoreRecord",
    "TFormulaRecord",
    "TEOFRecord",
    "TPrecisionRecord",
    "TRefModeRecord",
    "TPageHeaderRecord",
    "TPageFooterRecord",
    "TExternSheetRecord",
    "TNameRecord",
    "TVPageBreakRecord",
    "THPageBreakRecord",
    "TNoteRecord",
    "T1904Record",
    "TExternNameRecord",
    "TMarginRecord",
    "TPrintGridLinesRecord",
    "TFontRecord",
    "TWindow1Record",
    "TPaneRecord",
    "TPlsRecord",
    "TDefColWidthRecord",
    "TObjRecord",
    "TTemplateRecord",
    "TColInfoRecord",
    "TGutsRecord",
    "TWsBoolRecord",
    "TPrintCenteredRecord",
    "TBoundSheetRecord",
    "TPaletteRecord",
    "TStandardWidthRecord",
    "TAutoFilterInfoRecord",
    "TSCLRecord",
    "TSetupRecord",
    "TMulRKRecord",
    "TMulBlankRecord",
    "TObProjRecord",
    "TRStringRecord",
    "TBookBoolRecord",
    "TXFRecord",
    "TCellMergingRecord",
    "TDrawingGroupRecord",
    "TDrawingRecord",
    "TSSTRecord",
    "TLabelSSTRecord",
    "TSupBookRecord",
    "TCondFmtRecord",
    "TCFRecord",
    "TDValRecord",
    "TTXORecord",
    "THLinkRecord",
    "TCodeNameRecord",
    "TDimensionsRecord",
    "TBlankRecord",
    "TNumberRecord",
    "TLabelRecord",
    "TBoolErrRecord",
    "TStringRecord",
    "TRowRecord",
    "TArrayRecord",
    "TDefRowHeightRecord",
    "TTableRecord",
    "TWindow2Record",
    "TRKRecord",
    "TStyleRecord",
    "TFormatRecord",
    "TShrFmlaRecord",
    "TScreenTipRecord",
    "TBOFRecord",
    "TBeginRecord",
    "TEndRecord",
    "TChartAIRecord",
};

static_assert(std::none_of(std::begin(kClassNames), std::end(kClassNames),
                           [](std::string_view AName) { return AName.empty(); }),
              "every record class has a name");

const TRecordKind* FindKind(std::uint16_t AId) noexcept {
  auto found = std::lower_bound(
      std::begin(kRecordKinds), std::end(kRecordKinds), AId,
      [](const TRecordKind& AKind, std::uint16_t AValue) { return AKind.Id < AValue; });
  return found != std::end(kRecordKinds) && found->Id == AId ? found : nullptr;
}

}  // namespace

TRecordClassId RecordClassOf(std::uint16_t AId) noexcept {
  const TRecordKind* kind = FindKind(AId);
  return kind ? kind->Class : TRecordClassId::Base;
}

std::string_view RecordName(std::uint16_t AId) noexcept {
  const TRecordKind* kind = FindKind(AId);
  return kind ? kind->Name : std::string_view();
}

std::string_view RecordClassName(TRecordClassId AClass) noexcept {
  return kClassNames[static_cast<std::size_t>(AClass)];
}

TRecordFactory::TRecordFactory() {
  Register(C::Base, ConstructRecord<TBaseRecord>);
  Register(C::Continue, ConstructRecord<TContinueRecord>);
  Register(C::Ignore, ConstructRecord<TIgnoreRecord>);
}

void TRecordFactory::Register(TRecordClassId AClass, TRecordConstructor AConstructor) noexcept {
  FConstructors[static_cast<std::size_t>(AClass)] = AConstructor;
}

std::vector<TRecordClassId> TRecordFactory::MissingClasses() const {
  std::vector<TRecordClassId> missing;
  for (std::size_t i = 0; i < kRecordClassCount; ++i)
    if (!FConstructors[i] && static_cast<TRecordClassId>(i) != C::Refused)
      missing.push_back(static_cast<TRecordClassId>(i));
  return missing;
}

std::unique_ptr<TBaseRecord> TRecordFactory::CreateRecord(std::uint16_t AId,
                                                          TRecordData AData) const {
  TRecordClassId recordClass = RecordClassOf(AId);
  if (recordClass == C::Refused) base::Raise(base::TMessage::FilePasswordProtected);
  TRecordConstructor constructor = FConstructors[static_cast<std::size_t>(recordClass)];
  if (!constructor)
    base::Raise(base::TMessage::RecordClassNotRegistered, {RecordClassName(recordClass)});
  return constructor(AId, std::move(AData));
}

}  // namespace engine::biff
