#include <gtest/gtest.h>

#include "base/hex.h"
#include "base/locale_settings.h"
#include "base/utf.h"
#include "engine/biff/record_ids.h"
#include "engine/records/format_operations.h"
#include "engine/records/standard_palette.h"
#include "engine/template/empty_workbook.h"
#include "support/record_bytes.h"

namespace {

using namespace engine::records;
namespace biff = engine::biff;
namespace rid = engine::biff::rid;
using testing_support::Hex;
using testing_support::RaisedMessage;

// The format records of the empty workbook's globals, placed as the globals loader places them:
// a stand-in for each list where its first record stood, the insertion point of a PALETTE record
// after the XF stand-in and after every STYLE record.
class TTemplateFormats {
 public:
  explicit TTemplateFormats(const base::TXlsLocaleSettings& ASettings = {}) : Formats(ASettings) {
    for (auto& record : testing_support::ReadAllRecords(engine::tmpl::TemplateWorkbookRecords())) {
      std::uint16_t id = record->Id();
      if (id == rid::Eof) break;
      if (id == rid::XF) {
        if (XF.Count() == 0) Misc.Add(biff::TSubListRecord::CreateAndAssign(XF));
        Palette.SetInsertIndex(Misc.Count());
        XF.Add(Take<TXFRecord>(record));
      } else if (id == rid::Font) {
        if (Fonts.Count() == 0) Misc.Add(biff::TSubListRecord::CreateAndAssign(Fonts));
        Fonts.Add(Take<TFontRecord>(record));
      } else if (id == rid::Format) {
        if (Formats.Count() == 0) Misc.Add(biff::TSubListRecord::CreateAndAssign(Formats));
        Formats.Add(Take<TFormatRecord>(record));
      } else if (record->TotalSize() > 0) {
        Misc.Add(std::move(record));
        if (id == rid::Style) Palette.SetInsertIndex(Misc.Count());
      }
    }
  }

  TFormatLists Lists() { return {XF, Fonts, Formats}; }
  std::vector<std::uint8_t> Saved() { return testing_support::Written(Misc); }

  TXFRecordList XF;
  TFontRecordList Fonts;
  TFormatRecordList Formats;
  biff::TBaseRecordList Misc;
  TWorkbookPalette Palette;

 private:
  template <class T>
  static std::unique_ptr<T> Take(std::unique_ptr<biff::TBaseRecord>& ARecord) {
    return std::unique_ptr<T>(&dynamic_cast<T&>(*ARecord.release()));
  }
};

// A format that reads back as itself: line colours of 0 would read back as 1.
TTabrixFormat ArialFormat() {
  TTabrixFormat format;
  format.Font = {u"Arial", 200, 32760, {}, TTabrixUnderline::fu_None, 0, 0};
  for (TTabrixOneBorder* line : {&format.Borders.Left, &format.Borders.Right, &format.Borders.Top,
                                 &format.Borders.Bottom, &format.Borders.Diagonal})
    line->ColorIndex = 1;
  format.VAlignment = TVTabrixAlignment::fva_bottom;
  format.Locked = true;
  return format;
}

TEST(CellFormats, TheTemplatesFirstNewFormatIs21AndStaysOne) {
  TTemplateFormats workbook;
  ASSERT_EQ(FormatListCount(workbook.XF), 21);
  ASSERT_EQ(FontListCount(workbook.Fonts), 5);
  EXPECT_EQ(AddFormat(workbook.Lists(), ArialFormat()), 21);
  const std::size_t fonts = workbook.Fonts.Count();
  const std::size_t formats = workbook.Formats.Count();
  EXPECT_EQ(AddFormat(workbook.Lists(), ArialFormat()), 21);
  EXPECT_EQ(FormatListCount(workbook.XF), 22);
  EXPECT_EQ(workbook.Fonts.Count(), fonts);
  EXPECT_EQ(workbook.Formats.Count(), formats);
}

TEST(CellFormats, TheDefaultCellFormatReadBackIsAddedAsANewXF) {
  TTemplateFormats workbook;
  TTabrixFormat format = GetFormatListItem(workbook.Lists(), 15);
  EXPECT_EQ(format.Font.Name, u"Arial");
  EXPECT_EQ(format.Font.Size20, 200);
  EXPECT_EQ(format.Font.ColorIndex, 32760);
  EXPECT_EQ(format.Format, u"");
  EXPECT_TRUE(format.Locked);
  EXPECT_EQ(format.VAlignment, TVTabrixAlignment::fva_bottom);
  EXPECT_EQ(format.Borders.Left, (TTabrixOneBorder{TTabrixBorderStyle::fbs_None, 1}));
  EXPECT_EQ(format.FillPattern, (TTabrixFillPattern{kPatternNone, 57, 58}));
  EXPECT_EQ(format.Parent, 0);
  // The engine's XF sets 0xFC00 in the word at 8 and raises line icvs to 8: not the same bytes.
  EXPECT_EQ(AddFormat(workbook.Lists(), format), 21);
  EXPECT_EQ(GetFormatListItem(workbook.Lists(), 21), format);
  // Indices outside the list read and replace XF 0.
  EXPECT_EQ(GetFormatListItem(workbook.Lists(), 99), GetFormatListItem(workbook.Lists(), 0));
  SetFormatListItem(workbook.Lists(), -1, ArialFormat());
  EXPECT_EQ(GetFormatListItem(workbook.Lists(), 0), ArialFormat());
  EXPECT_EQ(FormatListCount(workbook.XF), 22);
}

TEST(CellFormats, LookupsFollowReplacedFormats) {
  TTemplateFormats workbook;
  TTabrixFormat first = ArialFormat();
  TTabrixFormat second = ArialFormat();
  second.WrapText = true;
  EXPECT_EQ(AddFormat(workbook.Lists(), first), 21);
  SetFormatListItem(workbook.Lists(), 21, second);
  EXPECT_EQ(AddFormat(workbook.Lists(), second), 21);
  EXPECT_EQ(AddFormat(workbook.Lists(), first), 22);
  SetFormatListItem(workbook.Lists(), 3, first);  // now the first XF with these bytes
  EXPECT_EQ(AddFormat(workbook.Lists(), first), 3);
}

TEST(CellFormats, FontIndexFourIsNeverUsed) {
  TTemplateFormats workbook;
  TTabrixFont font0 = GetFontListItem(workbook.Fonts, 0);
  // The template's fonts carry 0x7F in the byte at 13, the engine writes 0: a new font.
  EXPECT_EQ(AddFont(workbook.Fonts, font0), 5);
  EXPECT_EQ(FontListCount(workbook.Fonts), 6);
  EXPECT_EQ(AddFont(workbook.Fonts, font0), 5);
  EXPECT_EQ(GetFontListItem(workbook.Fonts, 4), font0);
  EXPECT_EQ(GetFontListItem(workbook.Fonts, 77), font0);
  const auto before = testing_support::Written(workbook.Fonts);
  TTabrixFont bold = font0;
  bold.Style.Include(TTabrixFontStyle::flsBold);
  SetFontListItem(workbook.Fonts, 4, bold);
  EXPECT_EQ(testing_support::Written(workbook.Fonts), before);
  SetFontListItem(workbook.Fonts, 5, bold);
  EXPECT_EQ(GetFontListItem(workbook.Fonts, 5), bold);
  EXPECT_EQ(FontListCount(workbook.Fonts), 6);
  // An XF's font index 5 is the fifth FONT record.
  TTabrixFormat format = ArialFormat();
  format.Font = bold;
  int xf = AddFormat(workbook.Lists(), format);
  EXPECT_EQ(workbook.XF[static_cast<std::size_t>(xf)]->FontIndex(), 5);
  EXPECT_EQ(GetFormatListItem(workbook.Lists(), xf).Font, bold);
}

TEST(NumberFormats, TextsFindTheirIds) {
  TTemplateFormats workbook;
  struct TCase {
    std::u16string Text;
    int Id;
  };
  const TCase cases[] = {
      {u"", 0},
      {u"0.00%", 10},
      {u"0.00E+00", 11},
      {u"0.00e+00", 164},  // case matters: a new FORMAT record
      {u"#,##0.000", 165},
      {u"0.00e+00", 164},
      {uR"("$U"\ #,##0;"$U"\ \-#,##0)", 5},  // the template's own records come first
      {uR"("$U"\ #,##0.00;[Red]"$U"\ \-#,##0.00)", 8},
      {uR"(_ * #,##0_ ;_ * \-#,##0_ ;_ * "-"_ ;_ @_ )", 41},
      {u"@", 49},
  };
  for (const auto& c : cases)
    EXPECT_EQ(workbook.Formats.AddFormat(c.Text), c.Id) << base::Utf16ToUtf8(c.Text);
  EXPECT_EQ(workbook.Formats.Format(165), u"#,##0.000");
  EXPECT_EQ(workbook.Formats.Format(10), u"0.00%");
  EXPECT_EQ(workbook.Formats.Format(14), u"mm/dd/YYYY");
  EXPECT_EQ(workbook.Formats.Format(30), u"");
  EXPECT_EQ(workbook.Formats.Format(999), u"");
  EXPECT_EQ(base::ToHex(testing_support::Written(*workbook.Formats[8])),
            "1E 04 0D 00 A4 00 08 00 00 30 2E 30 30 65 2B 30 30");
}

TEST(NumberFormats, DateFormatsFollowTheLocale) {
  struct TCase {
    std::u16string ShortDate;
    char16_t DateSeparator;
    char16_t TimeSeparator;
    const char16_t* Date;
    const char16_t* DateTime;
  };
  const TCase cases[] = {
      {u"dd.MM.yyyy", u'.', u'.', u"dd.mm.YYYY", u"dd.mm.YYYY hh.mm"},
      {u"d/M/yyyy", u'/', u':', u"dd/mm/YYYY", u"dd/mm/YYYY hh:mm"},
      {u"yyyy-MM-dd", u'-', u':', u"YYYY-mm-dd", u"YYYY-mm-dd hh:mm"},
      {u"M/d/yyyy", u'/', u':', u"mm/dd/YYYY", u"mm/dd/YYYY hh:mm"},
      {u"\"day\"", u'-', u'-', u"dd-mm-YYYY", u"dd-mm-YYYY hh-mm"},  // the first of y, m, d
      {u"[$-x]", u'-', u'-', u"mm/dd/YYYY", u"mm/dd/YYYY hh:mm"},    // no y, m or d at all
  };
  for (const auto& c : cases) {
    base::TXlsLocaleSettings settings;
    settings.ShortDateFormat = c.ShortDate;
    settings.DateSeparator = c.DateSeparator;
    settings.TimeSeparator = c.TimeSeparator;
    TFormatRecordList formats(settings);
    EXPECT_EQ(formats.Format(14), c.Date) << base::Utf16ToUtf8(c.ShortDate);
    EXPECT_EQ(formats.Format(22), c.DateTime) << base::Utf16ToUtf8(c.ShortDate);
    EXPECT_EQ(formats.AddFormat(c.Date), 14);
  }
  base::TXlsLocaleSettings dayFirst;
  dayFirst.ShortDateFormat = u"dd.MM.yyyy";
  dayFirst.DateSeparator = u'.';
  TFormatRecordList formats(dayFirst);
  EXPECT_EQ(formats.AddFormat(u"mm/dd/YYYY"), 164);
}

TEST(NumberFormats, NewIdsStayWithin16Bits) {
  base::TXlsLocaleSettings settings;
  TFormatRecordList formats(settings);
  formats.Add(TFormatRecord::CreateFromData(u"a", 0xFFFF));
  formats.Add(TFormatRecord::CreateFromData(u"b", 164));
  EXPECT_EQ(formats.AddFormat(u"c"), 165);  // the lowest free id from 164 on
  EXPECT_EQ(formats.Format(0xFFFF), u"a");
  EXPECT_EQ(base::ToHex(testing_support::Written(*TFormatRecord::CreateFromData(u"\u20AC0", 170))),
            "1E 04 09 00 AA 00 02 00 01 AC 20 30 00");
  EXPECT_EQ(
      RaisedMessage([] { TFormatRecord::CreateFromData(std::u16string(5000, u'\u20AC'), 170); }),
      "Invalid String record");
}

TEST(CellFormats, XFBytesCarryEveryField) {
  TTemplateFormats workbook;
  TTabrixFormat format = ArialFormat();
  format.Format = u"0.00%";
  format.Borders.Left = {TTabrixBorderStyle::fbs_Thin, 3};
  format.Borders.Right = {TTabrixBorderStyle::fbs_Medium, 10};
  format.Borders.Top = {TTabrixBorderStyle::fbs_Dashed, 56};
  format.Borders.Bottom = {TTabrixBorderStyle::fbs_Double, 57};
  format.Borders.Diagonal = {TTabrixBorderStyle::fbs_Hair, 2};
  format.Borders.DiagonalStyle = TTabrixDiagonalBorder::fdb_Both;
  format.FillPattern = {kPatternSolid, 5, 58};
  format.HAlignment = THTabrixAlignment::fha_center;
  format.VAlignment = TVTabrixAlignment::fva_center;
  format.Hidden = true;
  format.WrapText = true;
  format.ShrinkToFit = true;
  format.Rotation = 90;
  format.Indent = 3;
  int xf = AddFormat(workbook.Lists(), format);
  EXPECT_EQ(base::ToHex(workbook.XF[static_cast<std::size_t>(xf)]->Data()),
            "05 00 0A 00 03 00 1A 5A 13 FC 21 63 8A C8 3F 60 E2 04 8C 20");
  EXPECT_EQ(GetFormatListItem(workbook.Lists(), xf), format);
}

TEST(CellFormats, LineColoursAreKeptWithinThePaletteAndAutomatic) {
  struct TCase {
    std::int32_t Color;
    std::uint8_t Icv;
    std::int32_t ReadBack;
  };
  const TCase cases[] = {{0, 8, 1},    {-3, 8, 1},   {-200, 8, 1}, {1, 8, 1},
                         {56, 63, 56}, {57, 64, 57}, {58, 64, 57}, {500, 64, 57}};
  for (const auto& c : cases) {
    TTemplateFormats workbook;
    TTabrixFormat format = ArialFormat();
    format.Borders.Left = {TTabrixBorderStyle::fbs_Thin, c.Color};
    format.Borders.Bottom = {TTabrixBorderStyle::fbs_Thin, c.Color};
    const TXFRecord& xf =
        *workbook.XF[static_cast<std::size_t>(AddFormat(workbook.Lists(), format))];
    EXPECT_EQ(xf.GetBorderColorIndex(12, 0), c.Icv) << c.Color;
    EXPECT_EQ(xf.GetBorderColorIndex(14, 7), c.Icv) << c.Color;
    TTabrixFormat back = xf.TabrixFormat(workbook.Fonts, workbook.Formats);
    EXPECT_EQ(back.Borders.Left.ColorIndex, c.ReadBack) << c.Color;
    EXPECT_EQ(back.Borders.Bottom.ColorIndex, c.ReadBack) << c.Color;
  }
}

TEST(Fonts, BytesAndStyles) {
  TTabrixFont font{u"Tahoma",
                   160,
                   9,
                   {TTabrixFontStyle::flsItalic, TTabrixFontStyle::flsStrikeOut,
                    TTabrixFontStyle::flsSuperscript, TTabrixFontStyle::flsSubscript},
                   TTabrixUnderline::fu_DoubleAccounting,
                   2,
                   1};
  auto record = TFontRecord::CreateFromTabrixFont(font);
  EXPECT_EQ(base::ToHex(testing_support::Written(*record)),
            "31 00 1C 00 A0 00 0A 00 10 00 90 01 02 00 22 02 01 00 06 01 54 00 61 00 68 00 6F 00 "
            "6D 00 61 00");
  TTabrixFont back = record->TabrixFont();
  EXPECT_EQ(back.Style,
            (TTabrixFontStyles{TTabrixFontStyle::flsItalic, TTabrixFontStyle::flsStrikeOut,
                               TTabrixFontStyle::flsSubscript}));  // subscript wins
  EXPECT_EQ(back.Underline, TTabrixUnderline::fu_DoubleAccounting);
  EXPECT_EQ(back.ColorIndex, 9);
  // Only the weight 700 reads as bold; a name with 8-bit characters reads as well.
  TFontRecord heavy(rid::Font, biff::TRecordData::CopyOf(
                                   Hex("C8 00 00 00 08 00 20 03 00 00 01 00 00 00 02 00 48 69")));
  EXPECT_FALSE(heavy.Style().Contains(TTabrixFontStyle::flsBold));
  EXPECT_EQ(heavy.Name(), u"Hi");
  EXPECT_EQ(heavy.Underline(), TTabrixUnderline::fu_Single);
  TTabrixFont longName;
  longName.Name.assign(256, u'a');
  EXPECT_EQ(RaisedMessage([&] { TFontRecord::EncodeFont(longName); }), "Invalid String record");
}

TEST(Palette, ReadsTheStandardColoursUntilAColourIsWritten) {
  TTemplateFormats workbook;
  EXPECT_EQ(GetColorPalette(workbook.Palette, 1), 0x000000u);
  EXPECT_EQ(GetColorPalette(workbook.Palette, 3), 0x0000FFu);
  EXPECT_EQ(GetColorPalette(workbook.Palette, 48), 0x969696u);
  EXPECT_EQ(GetColorPalette(workbook.Palette, 56), 0x333333u);
  EXPECT_EQ(RaisedMessage([&] { GetColorPalette(workbook.Palette, 0); }),
            "The index \"-1\" of the property \"Palette index\" is not in the range 0-55");
  const auto before = workbook.Saved();

  SetColorPalette(workbook.Palette, workbook.Misc, 3, 0x123456);
  ASSERT_NE(workbook.Palette.PaletteRecord(), nullptr);
  for (int i = 1; i <= 56; ++i)
    EXPECT_EQ(GetColorPalette(workbook.Palette, i),
              i == 3 ? 0x123456u : kStandardPalette[static_cast<std::size_t>(i - 1)]);
  EXPECT_EQ(RaisedMessage([&] { GetColorPalette(workbook.Palette, 57); }),
            "The index \"56\" of the property \"Palette Color Index\" is not in the range 0-55");
  EXPECT_EQ(RaisedMessage([&] { SetColorPalette(workbook.Palette, workbook.Misc, 57, 0); }),
            "Too many entries for this kind of record (56 out of a maximum of 55)");

  // The PALETTE record (226 bytes of body) stands right after the last STYLE record.
  const auto after = workbook.Saved();
  ASSERT_EQ(after.size(), before.size() + 230);
  const std::string styleRecord = "93 02 04 00 14 80 05 FF";  // the last STYLE (Percent)
  std::string text = base::ToHex(after);
  std::size_t style = text.find(styleRecord);
  ASSERT_NE(style, std::string::npos);
  EXPECT_EQ(text.substr(style + styleRecord.size() + 1, 35), "92 00 E2 00 38 00 00 00 00 00 FF FF");
  EXPECT_EQ(text.substr(style + styleRecord.size() + 1 + 3 * (4 + 2 + 8), 11), "56 34 12 00");
}

TEST(Palette, WritingOutsideCreatesTheRecordAnywayAndReadsItsRange) {
  TTemplateFormats workbook;
  EXPECT_EQ(RaisedMessage([&] { SetColorPalette(workbook.Palette, workbook.Misc, 0, 0); }),
            "Too many entries for this kind of record (-1 out of a maximum of 55)");
  ASSERT_NE(workbook.Palette.PaletteRecord(), nullptr);
  EXPECT_EQ(GetColorPalette(workbook.Palette, 56), 0x333333u);
  // A PALETTE record read from a file with fewer colours limits the range.
  TPaletteRecord small(rid::Palette,
                       biff::TRecordData::CopyOf(Hex("02 00 01 02 03 00 0A 0B 0C 99")));
  TWorkbookPalette palette;
  palette.SetPaletteRecord(&small);
  EXPECT_EQ(GetColorPalette(palette, 2), 0x0C0B0Au);
  EXPECT_EQ(RaisedMessage([&] { GetColorPalette(palette, 3); }),
            "The index \"2\" of the property \"Palette Color Index\" is not in the range 0-1");
}

TEST(Palette, UsedColoursAreThoseTheFormatsShow) {
  TTemplateFormats workbook;
  TTabrixFormat format = ArialFormat();
  format.Font.ColorIndex = 10;
  format.Borders.Top = {TTabrixBorderStyle::fbs_Thin, 20};
  format.Borders.Right = {TTabrixBorderStyle::fbs_None, 30};  // not drawn
  format.FillPattern = {kPatternSolid, 40, 50};               // solid: the background is not shown
  AddFormat(workbook.Lists(), format);
  format.FillPattern = {4, 41, 51};
  format.Borders.Diagonal = {TTabrixBorderStyle::fbs_Thin, 52};
  AddFormat(workbook.Lists(), format);
  std::vector<bool> used = GetUsedPaletteColors(workbook.XF, workbook.Fonts);
  ASSERT_EQ(used.size(), 57u);
  std::vector<int> marked;
  for (int i = 0; i < 57; ++i)
    if (used[static_cast<std::size_t>(i)]) marked.push_back(i);
  // The template's formats show no lines or fills; their font colour is automatic (32760).
  EXPECT_EQ(marked, (std::vector<int>{10, 20, 40, 41, 51, 52}));
}

}  // namespace
