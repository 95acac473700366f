#include <gtest/gtest.h>

#include <functional>

#include "base/byte_stream.h"
#include "base/exception.h"
#include "container/ole2_constants.h"
#include "container/ole2_file.h"
#include "engine/template/empty_workbook.h"
#include "support/cfb_fixture.h"
#include "support/temp_dir.h"

namespace {

using namespace container;
using testing_support::PatternBytes;
using testing_support::ReadAllocationTable;
using testing_support::U32At;

std::string ErrorOf(const std::function<void()>& AAction) {
  try {
    AAction();
  } catch (const base::Exception& e) {
    return e.Message();
  }
  return "(no error)";
}

// Copies ASource with "Workbook" replaced by AData, written in pieces as records would be.
std::vector<std::uint8_t> CopyWithWorkbook(std::span<const std::uint8_t> ASource,
                                           std::span<const std::uint8_t> AData) {
  base::TSpanStream source(ASource);
  base::TMemoryStream output;
  {
    TOle2File file(source);
    file.SelectStream(u"Workbook");
    file.PrepareForWrite(output, u"Workbook");
    for (std::size_t pos = 0; pos < AData.size(); pos += 8224)
      file.WriteMem(AData.data() + pos, static_cast<std::uint32_t>(std::min<std::size_t>(8224, AData.size() - pos)));
    file.Close();
  }
  return output.TakeData();
}

std::vector<std::uint8_t> OpenPassImage() { return CopyWithWorkbook(engine::tmpl::EmptyWorkbookBytes(), {}); }

std::size_t EntryOffset(std::uint32_t ADirSector, std::size_t AEntry) {
  return 512 + std::size_t{ADirSector} * 512 + AEntry * 128;
}

TEST(Ole2Write, OpenPassOnTheTemplateGivesTheCopyImage) {
  auto image = OpenPassImage();
  ASSERT_EQ(image.size(), 14336u);
  EXPECT_EQ(U32At(image, kHdrFatCount), 1u);
  EXPECT_EQ(U32At(image, kHdrDirStart), 16u);
  EXPECT_EQ(U32At(image, kHdrDifStart), ENDOFCHAIN);
  EXPECT_EQ(U32At(image, kHdrDifCount), 0u);
  EXPECT_EQ(U32At(image, kHdrMiniFatStart), ENDOFCHAIN);
  EXPECT_EQ(U32At(image, kHdrIndex), 26u);
  for (std::size_t i = 1; i < 109; ++i) EXPECT_EQ(U32At(image, kHdrIndex + 4 * i), FREESECT);

  // 1-7, END, 9-15, END, END (directory), 18-24, END, FREE (the extra sector), FATSECT, FREE...
  std::vector<std::uint32_t> expected;
  for (std::uint32_t s = 1; s <= 7; ++s) expected.push_back(s);
  expected.push_back(ENDOFCHAIN);
  for (std::uint32_t s = 9; s <= 15; ++s) expected.push_back(s);
  expected.push_back(ENDOFCHAIN);
  expected.push_back(ENDOFCHAIN);
  for (std::uint32_t s = 18; s <= 24; ++s) expected.push_back(s);
  expected.push_back(ENDOFCHAIN);
  expected.push_back(FREESECT);
  expected.push_back(FATSECT);
  expected.resize(128, FREESECT);
  EXPECT_EQ(ReadAllocationTable(image), expected);

  // Directory in sector 16: the property sets moved to 0 and 8, "Workbook" at 17 with 4096
  // zero bytes; sector 25 is zero.
  EXPECT_EQ(U32At(image, EntryOffset(16, 0) + kDirStart), ENDOFCHAIN);
  EXPECT_EQ(U32At(image, EntryOffset(16, 1) + kDirStart), 17u);
  EXPECT_EQ(U32At(image, EntryOffset(16, 1) + kDirSize), 4096u);
  EXPECT_EQ(U32At(image, EntryOffset(16, 2) + kDirStart), 0u);
  EXPECT_EQ(U32At(image, EntryOffset(16, 3) + kDirStart), 8u);
  EXPECT_TRUE(std::all_of(image.begin() + 512 + 17 * 512, image.begin() + 512 + 26 * 512, [](auto b) { return b == 0; }));
  auto tmpl = engine::tmpl::EmptyWorkbookBytes();
  EXPECT_EQ(testing_support::ReadStream(image, engine::tmpl::kSummaryInformationName),
            testing_support::ReadStream(tmpl, engine::tmpl::kSummaryInformationName));
  EXPECT_EQ(testing_support::ReadStream(image, engine::tmpl::kDocumentSummaryInformationName),
            testing_support::ReadStream(tmpl, engine::tmpl::kDocumentSummaryInformationName));
  // Names, colours, links and the root's class id travel unchanged.
  for (std::size_t e = 0; e < 4; ++e)
    EXPECT_TRUE(std::equal(image.begin() + EntryOffset(16, e), image.begin() + EntryOffset(16, e) + 116,
                           tmpl.begin() + EntryOffset(25, e)));
}

TEST(Ole2Write, SavePassWithA10000ByteStream) {
  auto data = PatternBytes(10000);
  auto file = CopyWithWorkbook(OpenPassImage(), data);
  ASSERT_EQ(file.size(), 20480u);
  EXPECT_EQ(U32At(file, kHdrIndex), 38u);
  EXPECT_EQ(U32At(file, EntryOffset(16, 1) + kDirStart), 17u);
  EXPECT_EQ(U32At(file, EntryOffset(16, 1) + kDirSize), 10000u);
  auto table = ReadAllocationTable(file);
  for (std::uint32_t s = 17; s < 36; ++s) EXPECT_EQ(table[s], s + 1);
  EXPECT_EQ(table[36], ENDOFCHAIN);
  EXPECT_EQ(table[37], FREESECT);
  EXPECT_EQ(table[38], FATSECT);
  EXPECT_EQ(testing_support::ReadStream(file, u"Workbook"), data);
}

TEST(Ole2Write, NewStreamSizes) {
  struct TCase {
    std::size_t Written;
    std::uint32_t Recorded;
    std::size_t FileSize;
  };
  // F = 17 copied sectors; file = 512 + (F + n + 1 + tables) * 512.
  const TCase cases[] = {
      {0, 4096, 14336}, {100, 4096, 14336}, {4096, 4096, 14336}, {4097, 4097, 14848},
  };
  for (const auto& c : cases) {
    auto data = PatternBytes(c.Written);
    auto file = CopyWithWorkbook(OpenPassImage(), data);
    EXPECT_EQ(file.size(), c.FileSize) << c.Written;
    EXPECT_EQ(U32At(file, EntryOffset(16, 1) + kDirSize), c.Recorded) << c.Written;
    auto back = testing_support::ReadStream(file, u"Workbook");
    data.resize(c.Recorded, 0);  // padding counts in the size and is zero
    EXPECT_EQ(back, data) << c.Written;
  }
}

TEST(Ole2Write, TableEntriesExactlyFillingTheirSectorGetNoPadding) {
  // 17 + 109 data sectors + the extra sector + 1 table sector = 128 entries.
  auto file = CopyWithWorkbook(OpenPassImage(), PatternBytes(109 * 512));
  ASSERT_EQ(file.size(), 512u + 128u * 512u);
  auto table = ReadAllocationTable(file);
  EXPECT_EQ(table[125], ENDOFCHAIN);
  EXPECT_EQ(table[126], FREESECT);
  EXPECT_EQ(table[127], FATSECT);
  EXPECT_EQ(U32At(file, kHdrIndex), 127u);
}

TEST(Ole2Write, EightMillionBytesNeedOneIndexExtensionSector) {
  auto data = PatternBytes(8000000);
  auto file = CopyWithWorkbook(OpenPassImage(), data);
  ASSERT_EQ(file.size(), 8073728u);
  EXPECT_EQ(U32At(file, kHdrFatCount), 124u);
  EXPECT_EQ(U32At(file, kHdrDifCount), 1u);
  EXPECT_EQ(U32At(file, kHdrDifStart), 15643u);
  for (std::uint32_t i = 0; i < 109; ++i) EXPECT_EQ(U32At(file, kHdrIndex + 4 * i), 15644u + i);
  const std::size_t dif = 512 + std::size_t{15643} * 512;
  for (std::uint32_t j = 0; j < 15; ++j) EXPECT_EQ(U32At(file, dif + 4 * j), 15753u + j);
  for (std::uint32_t j = 15; j < 128; ++j) EXPECT_EQ(U32At(file, dif + 4 * j), FREESECT) << j;
  auto table = ReadAllocationTable(file);
  EXPECT_EQ(table[17 + 15625 - 1], ENDOFCHAIN);
  EXPECT_EQ(table[15642], FREESECT);
  EXPECT_EQ(table[15643], DIFSECT);
  for (std::uint32_t s = 15644; s < 15768; ++s) EXPECT_EQ(table[s], FATSECT);
  EXPECT_EQ(testing_support::ReadStream(file, u"Workbook"), data);
}

TEST(Ole2Write, SmallStreamsOfTheSourceKeepTheirMiniSectors) {
  auto small = PatternBytes(300, 11);
  auto large = PatternBytes(6000, 13);
  auto source = testing_support::BuildCompoundDocument(
      {{u"Workbook", PatternBytes(100)}, {u"Small", small}, {u"Large", large}});
  auto data = PatternBytes(5000, 17);
  auto file = CopyWithWorkbook(source.Bytes, data);
  EXPECT_EQ(testing_support::ReadStream(file, u"Small"), small);
  EXPECT_EQ(testing_support::ReadStream(file, u"Large"), large);
  EXPECT_EQ(testing_support::ReadStream(file, u"Workbook"), data);
}

TEST(Ole2Write, SavesToAFileOnDisk) {
  testing_support::TTempDir dir;
  auto image = OpenPassImage();
  auto data = PatternBytes(70000);
  {
    base::TSpanStream source(image);
    base::TFileStream out(dir.File("book.xls"), base::TFileStream::TMode::Create);
    TOle2File file(source);
    file.PrepareForWrite(out, u"Workbook");
    file.WriteMem(data.data(), static_cast<std::uint32_t>(data.size()));
    file.Close();
    out.Close();
  }
  base::TFileStream in(dir.File("book.xls"), base::TFileStream::TMode::OpenRead);
  TOle2File file(in);
  file.SelectStream(u"Workbook");
  std::vector<std::uint8_t> back(data.size());
  file.ReadMem(back.data(), static_cast<std::uint32_t>(back.size()));
  EXPECT_EQ(back, data);
}

TEST(Ole2Write, WriteOperationsAppendLittleEndianAndCount) {
  base::TSpanStream source(engine::tmpl::EmptyWorkbookBytes());
  base::TMemoryStream output;
  TOle2File file(source);
  file.PrepareForWrite(output, u"workbook");  // the target name also ignores ASCII case
  file.Write16(0x0809);
  file.Write32(0x11223344);
  const std::uint8_t raw[] = {1, 2, 3, 4, 5};
  file.WriteRaw(raw, 1, 3);
  EXPECT_EQ(file.Position(), 9);
  file.Close();
  auto back = testing_support::ReadStream(output.Data(), u"Workbook");
  std::vector<std::uint8_t> head(back.begin(), back.begin() + 10);
  EXPECT_EQ(head, (std::vector<std::uint8_t>{0x09, 0x08, 0x44, 0x33, 0x22, 0x11, 2, 3, 4, 0}));
}

TEST(Ole2Write, OperationsOutOfTurnAreRefused) {
  const std::string kInvalid = "Invalid OLE Stream operation on stream: \"\"";
  base::TSpanStream source(engine::tmpl::EmptyWorkbookBytes());
  base::TMemoryStream output;
  TOle2File file(source);
  std::uint8_t byte = 1;
  file.WriteMem(&byte, 1);  // nothing selected, nothing prepared: nothing happens
  file.SelectStream(u"Workbook");
  EXPECT_EQ(ErrorOf([&] { file.WriteMem(&byte, 1); }), kInvalid);
  EXPECT_EQ(ErrorOf([&] { file.Write16(1); }), kInvalid);

  base::TMemoryStream failed;
  EXPECT_EQ(ErrorOf([&] { file.PrepareForWrite(failed, u"NoSuchStream"); }), kInvalid);
  file.SelectStream(u"Workbook");  // still reading its source
  std::vector<std::uint8_t> data(1704);
  file.ReadMem(data.data(), 1704);
  EXPECT_EQ(data, engine::tmpl::TemplateWorkbookRecords());

  file.PrepareForWrite(output, u"Workbook");
  EXPECT_EQ(ErrorOf([&] { file.PrepareForWrite(output, u"Workbook"); }), kInvalid);
  EXPECT_EQ(ErrorOf([&] { file.SelectStream(u"Workbook"); }),
            "Invalid OLE Stream operation on stream: \"Workbook\"");
  EXPECT_EQ(ErrorOf([&] { file.ReadMem(&byte, 1); }), kInvalid);
  EXPECT_EQ(ErrorOf([&] { (void)file.Eof(); }), kInvalid);
  EXPECT_EQ(ErrorOf([&] { (void)file.NextEof(1); }), kInvalid);
}

TEST(Ole2Write, MalformedSourcesAreRefusedWhileCopying) {
  auto doc = testing_support::BuildCompoundDocument({{u"Workbook", PatternBytes(100)},
                                                     {u"A", PatternBytes(5000)}, {u"B", PatternBytes(5000)}});
  // Stream B claims stream A's sectors: copying them twice would be unbounded on hostile input.
  testing_support::PutU32At(doc.Bytes, doc.EntryOffset(3) + kDirStart, doc.StreamStart[1]);
  base::TSpanStream source(doc.Bytes);
  TOle2File file(source);
  base::TMemoryStream output;
  EXPECT_EQ(ErrorOf([&] { file.PrepareForWrite(output, u"Workbook"); }), "Error reading Excel records. File invalid");
}

// Deletion: entry 2 "Del" has two children (1 and 4); the leftmost entry of its right subtree
// (3) takes its place with its links, and 3's former parent (4) takes 3's right link.
TEST(Ole2DeletionPlan, EntryWithTwoChildrenIsReplacedByItsSuccessor) {
  std::vector<TOneDirEntry> entries = {
      {u"Root Entry", -1, -1, 2, DECOLOR::DECOLOR_BLACK},
      {u"A", -1, -1, -1, DECOLOR::DECOLOR_RED},
      {u"Del", 1, 4, -1, DECOLOR::DECOLOR_RED},
      {u"C", -1, 5, -1, DECOLOR::DECOLOR_RED},
      {u"DDD", 3, -1, -1, DECOLOR::DECOLOR_BLACK},
      {u"CC", -1, -1, -1, DECOLOR::DECOLOR_RED},
  };
  std::vector<std::u16string> remove = {u"Del"};
  auto plan = BuildDeletionPlan(entries, remove);
  EXPECT_FALSE(plan.AllBlack);
  EXPECT_TRUE(plan.Entries[2].Deleted);
  EXPECT_EQ(plan.Entries[0].ChildSid, 3);
  EXPECT_EQ(plan.Entries[3].LeftSid, 1);
  EXPECT_EQ(plan.Entries[3].RightSid, 4);
  EXPECT_EQ(plan.Entries[4].LeftSid, 5);
  for (std::size_t i : {1, 3, 4, 5}) EXPECT_FALSE(plan.Entries[i].Deleted) << i;
}

TEST(Ole2DeletionPlan, StoragesLoseTheirSubtreeAndBlackMatchesBlackenAll) {
  std::vector<TOneDirEntry> entries = {
      {u"Root Entry", -1, -1, 1, DECOLOR::DECOLOR_BLACK},
      {u"Storage", -1, 3, 2, DECOLOR::DECOLOR_BLACK},
      {u"Inner", 4, -1, -1, DECOLOR::DECOLOR_RED},
      {u"Kept", -1, -1, -1, DECOLOR::DECOLOR_RED},
      {u"Inner2", -1, -1, -1, DECOLOR::DECOLOR_RED},
  };
  std::vector<std::u16string> remove = {u"Storage", u"kept"};  // names match exactly only
  auto plan = BuildDeletionPlan(entries, remove);
  EXPECT_TRUE(plan.AllBlack);
  EXPECT_TRUE(plan.Entries[1].Deleted);
  EXPECT_TRUE(plan.Entries[2].Deleted);
  EXPECT_TRUE(plan.Entries[4].Deleted);
  EXPECT_FALSE(plan.Entries[3].Deleted);
  EXPECT_EQ(plan.Entries[0].ChildSid, 3);

  entries[2].LeftSid = 0;  // a malformed tree leading back to the root
  EXPECT_EQ(ErrorOf([&] { BuildDeletionPlan(entries, remove); }), "Can't delete root");
}

TEST(Ole2DeletionPlan, CopyWithoutADeletedStream) {
  auto doc = testing_support::BuildCompoundDocument(
      {{u"Workbook", PatternBytes(100)}, {u"Gone", PatternBytes(5000)}, {u"Stays", PatternBytes(4500)}});
  base::TSpanStream source(doc.Bytes);
  base::TMemoryStream output;
  {
    TOle2File file(source);
    std::vector<std::u16string> remove = {u"Gone"};
    file.PrepareForWrite(output, u"Workbook", remove);
    file.Close();
  }
  const auto& out = output.Data();
  EXPECT_EQ(testing_support::ReadStream(out, u"Stays"), PatternBytes(4500));
  EXPECT_EQ(ErrorOf([&] { testing_support::ReadStream(out, u"Gone"); }), "The file \"\" is invalid");
  // Entry 1 (Workbook) now links to 3 (Stays) directly; the cleared entry is all zero but links.
  std::size_t dir = 512 + std::size_t{U32At(out, kHdrDirStart)} * 512;
  EXPECT_EQ(U32At(out, dir + 128 + kDirRight), 3u);
  EXPECT_EQ(out[dir + 256 + kDirType], 0);
  EXPECT_EQ(U32At(out, dir + 256 + kDirLeft), 0xFFFFFFFFu);
  EXPECT_EQ(out[dir + 256 + kDirNameSize], 0);
}

}  // namespace
