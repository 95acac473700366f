#include "engine/template/empty_workbook.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "base/hex.h"
#include "base/little_endian.h"
#include "base/utf.h"
#include "container/ole2_constants.h"
#include "support/cfb_fixture.h"

namespace {

using namespace container;
using testing_support::U32At;

std::span<const std::uint8_t> Doc() { return engine::tmpl::EmptyWorkbookBytes(); }

std::size_t Entry(std::size_t AEntry) { return 512 + 25 * 512 + AEntry * 128; }

std::u16string EntryName(std::size_t AEntry) {
  std::u16string name;
  for (std::size_t i = 0; i + 2 < Doc()[Entry(AEntry) + kDirNameSize]; i += 2)
    name += static_cast<char16_t>(base::LoadLE16(Doc().data() + Entry(AEntry) + i));
  return name;
}

TEST(EmptyWorkbook, CompoundDocumentLayout) {
  ASSERT_EQ(Doc().size(), 13824u);
  EXPECT_EQ(base::ToHex(Doc().subspan(0, 8)), "D0 CF 11 E0 A1 B1 1A E1");
  EXPECT_EQ(base::LoadLE16(Doc().data() + kHdrSectorShift), 9);
  EXPECT_EQ(base::LoadLE16(Doc().data() + kHdrMiniSectorShift), 6);
  EXPECT_EQ(U32At(Doc(), kHdrMiniCutoff), 4096u);
  EXPECT_EQ(U32At(Doc(), kHdrFatCount), 1u);
  EXPECT_EQ(U32At(Doc(), kHdrDirStart), 25u);
  EXPECT_EQ(U32At(Doc(), kHdrMiniFatStart), ENDOFCHAIN);
  EXPECT_EQ(U32At(Doc(), kHdrMiniFatCount), 0u);
  EXPECT_EQ(U32At(Doc(), kHdrDifStart), ENDOFCHAIN);
  EXPECT_EQ(U32At(Doc(), kHdrIndex), 24u);

  auto table = testing_support::ReadAllocationTable(Doc());
  ASSERT_EQ(table.size(), 128u);
  for (std::uint32_t s = 0; s < 24; ++s) EXPECT_EQ(table[s], s % 8 == 7 ? ENDOFCHAIN : s + 1) << s;
  EXPECT_EQ(table[24], FATSECT);
  EXPECT_EQ(table[25], ENDOFCHAIN);
  for (std::uint32_t s = 26; s < 128; ++s) EXPECT_EQ(table[s], FREESECT);

  struct TExpected {
    std::u16string Name;
    STGTY Type;
    std::int32_t Left, Right, Child;
    std::uint32_t Start, Size;
  };
  const TExpected expected[] = {
      {u"Root Entry", STGTY::STGTY_ROOT, -1, -1, 2, ENDOFCHAIN, 0},
      {u"Workbook", STGTY::STGTY_STREAM, -1, -1, -1, 0, 4096},
      {u"\u0005SummaryInformation", STGTY::STGTY_STREAM, 1, 3, -1, 8, 4096},
      {u"\u0005DocumentSummaryInformation", STGTY::STGTY_STREAM, -1, -1, -1, 16, 4096},
  };
  for (std::size_t e = 0; e < 4; ++e) {
    const auto& x = expected[e];
    EXPECT_EQ(EntryName(e), x.Name);
    EXPECT_EQ(Doc()[Entry(e) + kDirType], static_cast<std::uint8_t>(x.Type));
    EXPECT_EQ(Doc()[Entry(e) + kDirColor], 1) << "black";
    EXPECT_EQ(static_cast<std::int32_t>(U32At(Doc(), Entry(e) + kDirLeft)), x.Left);
    EXPECT_EQ(static_cast<std::int32_t>(U32At(Doc(), Entry(e) + kDirRight)), x.Right);
    EXPECT_EQ(static_cast<std::int32_t>(U32At(Doc(), Entry(e) + kDirChild)), x.Child);
    EXPECT_EQ(U32At(Doc(), Entry(e) + kDirStart), x.Start);
    EXPECT_EQ(U32At(Doc(), Entry(e) + kDirSize), x.Size);
    // Times are zero; only the root has a class id.
    EXPECT_TRUE(std::all_of(Doc().begin() + Entry(e) + kDirState, Doc().begin() + Entry(e) + kDirStart,
                            [](auto b) { return b == 0; }));
  }
  EXPECT_EQ(base::ToHex(Doc().subspan(Entry(0) + kDirClassId, 16)), "20 08 02 00 00 00 00 00 C0 00 00 00 00 00 00 46");
}

// The sibling tree under the root is a valid red-black tree ordered by name length, then by
// upper-cased characters: each left subtree sorts below its node, each right above; the root
// of the tree is black, no red node has a red child, and all paths have equal black height.
TEST(EmptyWorkbook, DirectoryTreeIsAValidRedBlackTree) {
  auto less = [](const std::u16string& A, const std::u16string& B) {
    if (A.size() != B.size()) return A.size() < B.size();
    for (std::size_t i = 0; i < A.size(); ++i)
      if (base::AsciiUpper(A[i]) != base::AsciiUpper(B[i])) return base::AsciiUpper(A[i]) < base::AsciiUpper(B[i]);
    return false;
  };
  auto link = [](std::size_t AEntry, std::size_t AField) {
    return static_cast<std::int32_t>(U32At(Doc(), Entry(AEntry) + AField));
  };
  std::function<int(std::int32_t, const std::u16string*, const std::u16string*, bool)> check =
      [&](std::int32_t ANode, const std::u16string* ALow, const std::u16string* AHigh, bool AParentRed) -> int {
    if (ANode < 0) return 1;
    auto n = static_cast<std::size_t>(ANode);
    std::u16string name = EntryName(n);
    if (ALow) {
      EXPECT_TRUE(less(*ALow, name));
    }
    if (AHigh) {
      EXPECT_TRUE(less(name, *AHigh));
    }
    bool red = Doc()[Entry(n) + kDirColor] == 0;
    EXPECT_FALSE(red && AParentRed);
    int left = check(link(n, kDirLeft), ALow, &name, red);
    int right = check(link(n, kDirRight), &name, AHigh, red);
    EXPECT_EQ(left, right);
    return left + (red ? 0 : 1);
  };
  std::int32_t top = link(0, kDirChild);
  EXPECT_EQ(Doc()[Entry(static_cast<std::size_t>(top)) + kDirColor], 1);
  check(top, nullptr, nullptr, false);
}

TEST(EmptyWorkbook, WorkbookStreamHoldsTheRecordTable) {
  auto records = engine::tmpl::TemplateWorkbookRecords();
  ASSERT_EQ(records.size(), 1704u);
  auto stream = testing_support::ReadStream(Doc(), u"Workbook");
  ASSERT_EQ(stream.size(), 4096u);
  EXPECT_TRUE(std::equal(records.begin(), records.end(), stream.begin()));
  EXPECT_TRUE(std::all_of(stream.begin() + 1704, stream.end(), [](auto b) { return b == 0; }));

  // Walk the records: ids in order, and golden bodies for a representative set.
  std::vector<std::uint16_t> ids;
  std::vector<std::size_t> offsets;
  std::map<std::size_t, std::string> bodies;
  for (std::size_t pos = 0; pos < records.size();) {
    std::uint16_t id = base::LoadLE16(records.data() + pos);
    std::uint16_t size = base::LoadLE16(records.data() + pos + 2);
    ids.push_back(id);
    offsets.push_back(pos);
    bodies[ids.size() - 1] = base::ToHex(std::span(records).subspan(pos + 4, size));
    pos += 4 + size;
  }
  const std::vector<std::uint16_t> expectedIds = {
      0x0809, 0x00E1, 0x00C1, 0x00E2, 0x005C, 0x0042, 0x0161, 0x01C0, 0x013D, 0x009C, 0x0019, 0x0012,
      0x0013, 0x01AF, 0x01BC, 0x003D, 0x0040, 0x008D, 0x0022, 0x000E, 0x01B7, 0x00DA, 0x0031, 0x0031,
      0x0031, 0x0031, 0x041E, 0x041E, 0x041E, 0x041E, 0x041E, 0x041E, 0x041E, 0x041E, 0x00E0, 0x00E0,
      0x00E0, 0x00E0, 0x00E0, 0x00E0, 0x00E0, 0x00E0, 0x00E0, 0x00E0, 0x00E0, 0x00E0, 0x00E0, 0x00E0,
      0x00E0, 0x00E0, 0x00E0, 0x00E0, 0x00E0, 0x00E0, 0x00E0, 0x0293, 0x0293, 0x0293, 0x0293, 0x0293,
      0x0293, 0x0160, 0x0085, 0x008C, 0x01C1, 0x00FC, 0x00FF, 0x0863, 0x000A,
      // worksheet
      0x0809, 0x020B, 0x000D, 0x000C, 0x000F, 0x0011, 0x0010, 0x005F, 0x002A, 0x002B, 0x0082, 0x0080,
      0x0225, 0x0081, 0x0014, 0x0015, 0x0083, 0x0084, 0x00A1, 0x0055, 0x0200, 0x023E, 0x001D, 0x00EF,
      0x000A};
  EXPECT_EQ(ids, expectedIds);
  EXPECT_EQ(offsets[69], 1441u);
  EXPECT_EQ(bodies[62], "A1 05 00 00 00 00 06 00 53 68 65 65 74 31");  // BOUNDSHEET at the sheet's BOF
  EXPECT_EQ(bodies[0], "00 06 05 00 38 13 CD 07 C1 C0 00 00 06 03 00 00");
  EXPECT_EQ(bodies[15], "68 01 F0 00 5C 3A BE 23 38 00 00 00 00 00 01 00 58 02");
  EXPECT_EQ(bodies[22], "C8 00 00 00 FF 7F 90 01 00 00 00 00 00 7F 05 01 41 00 72 00 69 00 61 00 6C 00");
  EXPECT_EQ(bodies[26], "05 00 19 00 00 22 24 55 22 5C 20 23 2C 23 23 30 3B 22 24 55 22 5C 20 5C 2D 23 2C 23 23 30");
  EXPECT_EQ(bodies[49], "00 00 00 00 01 00 20 00 00 00 00 00 00 00 00 00 00 00 C0 20");  // XF 15
  EXPECT_EQ(bodies[67], "63 08 00 00 00 00 00 00 00 00 00 00 15 00 00 00 00 00 00 00 98");
  EXPECT_EQ(bodies[87], "00 00 FF 00 01 00 01 00 01 00 04 00 00 00 00 00 00 00 00 00 00 00 E0 3F 00 00 00 00 00 00 E0 3F 00 00");
  EXPECT_EQ(bodies[90], "B6 06 00 00 00 00 40 00 00 00 00 00 00 00 00 00 00 00");
  // WRITEACCESS: 3 characters, 8-bit, space-padded to 112 bytes.
  EXPECT_EQ(bodies[4].size(), 112u * 3 - 1);
  EXPECT_EQ(bodies[4].substr(0, 9), "03 00 00 ");
  // The FORMAT codes 41-44 end in a space.
  EXPECT_EQ(bodies[31].substr(bodies[31].size() - 5), "5F 20");
}

TEST(EmptyWorkbook, PropertySetsAreTheStandardSummarySets) {
  const auto summary = base::ParseHex(R"(
      FE FF 00 00 05 01 02 00 00 00 00 00 00 00 00 00
      00 00 00 00 00 00 00 00 01 00 00 00 E0 85 9F F2
      F9 4F 68 10 AB 91 08 00 2B 27 B3 D9 30 00 00 00
      98 00 00 00 07 00 00 00 01 00 00 00 40 00 00 00
      04 00 00 00 48 00 00 00 08 00 00 00 54 00 00 00
      12 00 00 00 60 00 00 00 0C 00 00 00 78 00 00 00
      0D 00 00 00 84 00 00 00 13 00 00 00 90 00 00 00
      02 00 00 00 E4 04 00 00 1E 00 00 00 02 00 00 00
      41 00 00 00 1E 00 00 00 02 00 00 00 41 00 00 00
      1E 00 00 00 10 00 00 00 4D 69 63 72 6F 73 6F 66
      74 20 45 78 63 65 6C 00 40 00 00 00 00 40 6D 25
      EB 53 BF 01 40 00 00 00 00 40 6D 25 EB 53 BF 01
      03 00 00 00 00 00 00 00)");
  const auto documentSummary = base::ParseHex(R"(
      FE FF 00 00 05 01 02 00 00 00 00 00 00 00 00 00
      00 00 00 00 00 00 00 00 01 00 00 00 02 D5 CD D5
      9C 2E 1B 10 93 97 08 00 2B 2C F9 AE 30 00 00 00
      C4 00 00 00 09 00 00 00 01 00 00 00 50 00 00 00
      0F 00 00 00 58 00 00 00 17 00 00 00 64 00 00 00
      0B 00 00 00 6C 00 00 00 10 00 00 00 74 00 00 00
      13 00 00 00 7C 00 00 00 16 00 00 00 84 00 00 00
      0D 00 00 00 8C 00 00 00 0C 00 00 00 9F 00 00 00
      02 00 00 00 E4 04 00 00 1E 00 00 00 02 00 00 00
      41 00 00 00 03 00 00 00 38 13 0B 00 0B 00 00 00
      00 00 00 00 0B 00 00 00 00 00 00 00 0B 00 00 00
      00 00 00 00 0B 00 00 00 00 00 00 00 1E 10 00 00
      01 00 00 00 07 00 00 00 53 68 65 65 74 31 00 0C
      10 00 00 02 00 00 00 1E 00 00 00 0B 00 00 00 57
      6F 72 6B 73 68 65 65 74 73 00 03 00 00 00 01 00
      00 00 00 00)");
  EXPECT_EQ(engine::tmpl::TemplateSummaryInformation(), summary);
  EXPECT_EQ(engine::tmpl::TemplateDocumentSummaryInformation(), documentSummary);
  auto si = testing_support::ReadStream(Doc(), engine::tmpl::kSummaryInformationName);
  auto dsi = testing_support::ReadStream(Doc(), engine::tmpl::kDocumentSummaryInformationName);
  ASSERT_EQ(si.size(), 4096u);
  ASSERT_EQ(dsi.size(), 4096u);
  EXPECT_TRUE(std::equal(summary.begin(), summary.end(), si.begin()));
  EXPECT_TRUE(std::equal(documentSummary.begin(), documentSummary.end(), dsi.begin()));
  EXPECT_TRUE(std::all_of(si.begin() + static_cast<std::ptrdiff_t>(summary.size()), si.end(), [](auto b) { return b == 0; }));
  EXPECT_TRUE(std::all_of(dsi.begin() + static_cast<std::ptrdiff_t>(documentSummary.size()), dsi.end(), [](auto b) { return b == 0; }));
}

}  // namespace
