#include "engine/strings/excel_string.h"

#include <gtest/gtest.h>

#include "base/hex.h"
#include "base/utf.h"
#include "support/record_bytes.h"

namespace {

using namespace engine::strings;
using engine::biff::TRecordCursor;
using testing_support::Hex;
using testing_support::RaisedMessage;

std::string Bytes(const TExcelString& AString, bool AIncludeLen = true) {
  std::vector<std::uint8_t> out(static_cast<std::size_t>(AString.TotalSize()) -
                                (AIncludeLen ? 0 : AString.StrLenLength()));
  AString.CopyToPtr(out, 0, AIncludeLen);
  return base::ToHex(out);
}

TEST(ExcelString, ReadsAcrossContinueRecordsWithRunsAndFarEastData) {
  // A rich 8-bit string of 5 characters: 2 in the record, 3 in a CONTINUE that begins with its
  // own option byte (16-bit), then 2 runs and 3 bytes of far-east data in a further CONTINUE.
  auto records = testing_support::ReadAllRecords(
      Hex("34 12 0B 00 05 00 0C 02 00 03 00 00 00 48 69"     // count 5, options rich + far-east
          "3C 00 07 00 01 21 00 AC 20 3F 00"                 // piece option 01: "!", U+20AC, "?"
          "3C 00 0B 00 00 00 01 00 03 00 02 00 AA BB CC"));  // runs, far-east data
  ASSERT_EQ(records.size(), 1u);
  TRecordCursor cursor{records[0].get(), 0};
  TExcelString text(2, cursor);
  EXPECT_EQ(text.Value(), u"Hi!\u20AC?");
  EXPECT_EQ(text.OptionFlags(), kStringWide | kStringRichText | kStringFarEast);
  EXPECT_EQ(text.RTFRuns(), (TRTFRunList{{0, 1}, {3, 2}}));
  EXPECT_EQ(text.FarEastDataSize(), 3u);
  EXPECT_EQ(cursor.Offset, 11u);
  // Written back as one piece, widened.
  EXPECT_EQ(
      Bytes(text),
      "05 00 0D 02 00 03 00 00 00 48 00 69 00 21 00 AC 20 3F 00 00 00 01 00 03 00 02 00 AA BB CC");
  EXPECT_EQ(text.TotalSize(), 30);
}

TEST(ExcelString, BuiltFromText) {
  struct TCase {
    int StrLenLength;
    std::u16string Text;
    bool ForceWide;
    const char* Bytes;
  };
  const TCase cases[] = {
      {2, u"abc", false, "03 00 00 61 62 63"},
      {1, u"Arial", true, "05 01 41 00 72 00 69 00 61 00 6C 00"},
      {2, u"\u00E9\u20AC", false, "02 00 01 E9 00 AC 20"},
      {2, u"", false, "00 00 00"},
      {1, u"\u00FF", false, "01 00 FF"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Bytes(TExcelString(c.StrLenLength, c.Text, c.ForceWide)), c.Bytes);
  EXPECT_EQ(Bytes(TExcelString(1, u"ab", false), false), "00 61 62");
  EXPECT_EQ(TExcelString(1, std::u16string(255, u'x'), false).StrLen(), 255);
  EXPECT_EQ(RaisedMessage([] { TExcelString(1, std::u16string(256, u'x'), false); }),
            "Invalid String record");
  EXPECT_EQ(RaisedMessage([] { TExcelString(2, std::u16string(65536, u'x'), false); }),
            "Invalid String record");
  EXPECT_EQ(RaisedMessage([] { TExcelString(3, u"x", false); }), "StrLenLength should be 1 or 2");
}

TEST(ExcelString, ComparesByCountSizeOptionsThenText) {
  auto sign = [](int AValue) { return AValue < 0 ? -1 : AValue > 0 ? 1 : 0; };
  struct TCase {
    TExcelString A;
    TExcelString B;
    int Order;
  };
  const TCase cases[] = {
      {TExcelString(2, u"abc", false), TExcelString(2, u"abc", false), 0},
      {TExcelString(2, u"b", false), TExcelString(2, u"ab", false), -1},  // 8-bit: length first
      {TExcelString(2, u"ab", false), TExcelString(2, u"b", false), 1},
      {TExcelString(2, u"\u00E9", false), TExcelString(2, u"z", false), 1},  // unsigned bytes
      {TExcelString(1, u"zz", false), TExcelString(2, u"a", false), -1},     // count size first
      {TExcelString(2, u"zz", false), TExcelString(2, u"a", true), -1},      // then option byte
      {TExcelString(2, u"b", true), TExcelString(2, u"ab", true), 1},        // 16-bit: ordinal
  };
  for (const auto& c : cases)
    EXPECT_EQ(sign(c.A.Compare(c.B)), c.Order) << base::Utf16ToUtf8(c.A.Value());
}

}  // namespace
