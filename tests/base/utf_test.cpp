#include "base/utf.h"

#include <gtest/gtest.h>

#include "base/byte_reader.h"

namespace {

TEST(Utf, ConvertsBothWaysAndReplacesInvalidSequences) {
  EXPECT_EQ(base::Utf8ToUtf16("Stra\xC3\x9F" "e \xE2\x82\xAC \xF0\x9F\x98\x80"), u"Stra\u00DFe \u20AC \U0001F600");
  EXPECT_EQ(base::Utf16ToUtf8(u"Stra\u00DFe \u20AC \U0001F600"), "Stra\xC3\x9F" "e \xE2\x82\xAC \xF0\x9F\x98\x80");
  EXPECT_EQ(base::Utf8ToUtf16("a\xFF" "b\xC3"), u"a\uFFFDb\uFFFD");
  EXPECT_EQ(base::Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");          // overlong
  EXPECT_EQ(base::Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // surrogate
  EXPECT_EQ(base::Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(Utf, AsciiCaseEqualFoldsOnlyAsciiLetters) {
  EXPECT_TRUE(base::AsciiCaseEqual(u"WORKBOOK", u"Workbook"));
  EXPECT_FALSE(base::AsciiCaseEqual(u"Workbook", u"Workbooks"));
  EXPECT_FALSE(base::AsciiCaseEqual(u"\u00E9", u"\u00C9"));
}

TEST(ByteReader, ReadsLittleEndianAndRefusesToRunPastTheEnd) {
  const std::uint8_t data[] = {0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 0xFF};
  base::TByteReader r(data);
  EXPECT_EQ(r.U16(), 0x1234);
  EXPECT_EQ(r.U32(), 0x12345678u);
  EXPECT_EQ(r.Remaining(), 1u);
  try {
    r.U16();
    FAIL();
  } catch (const base::Exception& e) {
    EXPECT_STREQ(e.what(), "Error reading Excel records. File invalid");
  }
  EXPECT_EQ(r.U8(), 0xFF);  // a failed read consumes nothing
  EXPECT_TRUE(r.AtEnd());
  EXPECT_THROW(r.Bytes(SIZE_MAX), base::Exception);
}

}  // namespace
