#include <gtest/gtest.h>

#include <functional>

#include "base/byte_stream.h"
#include "base/exception.h"
#include "container/ole2_constants.h"
#include "container/ole2_file.h"
#include "engine/template/empty_workbook.h"
#include "support/cfb_fixture.h"

namespace {

using container::TOle2File;
using testing_support::BuildCompoundDocument;
using testing_support::PatternBytes;

std::vector<std::uint8_t> TemplateCopy() {
  auto bytes = engine::tmpl::EmptyWorkbookBytes();
  return {bytes.begin(), bytes.end()};
}

std::string ErrorOf(const std::function<void()>& AAction) {
  try {
    AAction();
  } catch (const base::Exception& e) {
    return e.Message();
  }
  return "(no error)";
}

TEST(Ole2Read, TemplateWorkbookStreamIsTheRecordsThenZeros) {
  auto doc = TemplateCopy();
  base::TMemoryStream stream(doc);
  TOle2File file(stream);
  EXPECT_FALSE(file.NotXls97());
  EXPECT_EQ(file.Length(), 0);
  file.SelectStream(u"Workbook");
  ASSERT_EQ(file.Length(), 4096);
  std::vector<std::uint8_t> data(4096);
  // In record-sized pieces, as the record layer reads.
  for (std::uint32_t pos = 0; pos < 4096;) {
    std::uint32_t count = std::min<std::uint32_t>(4096 - pos, 37);
    EXPECT_FALSE(file.Eof());
    file.ReadMem(data.data() + pos, count);
    pos += count;
    EXPECT_EQ(file.Position(), pos);
  }
  EXPECT_TRUE(file.Eof());
  auto records = engine::tmpl::TemplateWorkbookRecords();
  records.resize(4096, 0);
  EXPECT_EQ(data, records);
}

TEST(Ole2Read, StreamNamesCompareIgnoringAsciiCaseOnly) {
  auto doc = TemplateCopy();
  base::TMemoryStream stream(doc);
  TOle2File file(stream);
  for (auto name : {u"Workbook", u"WORKBOOK", u"wOrKbOoK"}) {
    file.SelectStream(name);
    EXPECT_EQ(file.Length(), 4096);
  }
  file.SelectStream(u"\u0005summaryinformation");
  EXPECT_EQ(file.Length(), 4096);
  EXPECT_EQ(ErrorOf([&] { file.SelectStream(u"Workbook2"); }), "The file \"\" is invalid");
  EXPECT_EQ(file.Length(), 0);  // the failed selection dropped the previous one
}

TEST(Ole2Read, ReadingToTheEndSucceedsAndOneByteMoreFails) {
  auto doc = TemplateCopy();
  base::TMemoryStream stream(doc);
  TOle2File file(stream);
  file.SelectStream(u"Workbook");
  std::vector<std::uint8_t> data(4097, 0xAA);
  file.ReadMem(data.data(), 4000);
  EXPECT_FALSE(file.NextEof(95));
  EXPECT_TRUE(file.NextEof(96));
  EXPECT_EQ(ErrorOf([&] { file.ReadMem(data.data(), 97); }), "End of stream reached with 1 bytes left to read");
  EXPECT_EQ(file.Position(), 4000);  // nothing was read
  file.ReadMem(data.data(), 96);
  EXPECT_TRUE(file.Eof());
  EXPECT_EQ(ErrorOf([&] { file.ReadMem(data.data(), 1); }), "End of stream reached with 1 bytes left to read");
}

TEST(Ole2Read, ReadingWithoutASelectedStreamCopiesNothing) {
  auto doc = TemplateCopy();
  base::TMemoryStream stream(doc);
  TOle2File file(stream);
  std::uint8_t byte = 0x5A;
  file.ReadMem(&byte, 1);
  EXPECT_EQ(byte, 0x5A);
  file.SeekForward(100);
  EXPECT_EQ(file.Position(), 0);
  std::vector<std::uint8_t> empty;
  file.SelectStream(u"Workbook");
  file.Read(empty, 10);  // an empty array: nothing happens
  EXPECT_EQ(file.Position(), 0);
}

TEST(Ole2Read, DocumentAtANonZeroOffset) {
  std::vector<std::uint8_t> doc(777, 0x33);
  auto tmpl = TemplateCopy();
  doc.insert(doc.end(), tmpl.begin(), tmpl.end());
  base::TMemoryStream stream(doc);
  stream.SetPosition(777);
  TOle2File file(stream);
  file.SelectStream(u"Workbook");
  std::vector<std::uint8_t> data(1704);
  file.ReadMem(data.data(), 1704);
  EXPECT_EQ(data, engine::tmpl::TemplateWorkbookRecords());
}

TEST(Ole2Read, SmallStreamsComeFromTheMiniStreamLargeOnesFromSectors) {
  auto small = PatternBytes(4095, 3);
  auto large = PatternBytes(4096, 5);
  auto tiny = PatternBytes(10, 9);
  auto doc = BuildCompoundDocument({{u"Small", small}, {u"Large", large}, {u"Tiny", tiny}, {u"Empty", {}}});
  EXPECT_EQ(testing_support::ReadStream(doc.Bytes, u"Small"), small);
  EXPECT_EQ(testing_support::ReadStream(doc.Bytes, u"Large"), large);
  EXPECT_EQ(testing_support::ReadStream(doc.Bytes, u"Tiny"), tiny);
  EXPECT_TRUE(testing_support::ReadStream(doc.Bytes, u"Empty").empty());

  // Piecewise reads across mini-sector and sector boundaries, with skipping.
  base::TSpanStream stream(doc.Bytes);
  TOle2File file(stream);
  file.SelectStream(u"Small");
  file.SeekForward(60);
  std::vector<std::uint8_t> piece(130);
  file.ReadMem(piece.data(), 130);
  EXPECT_TRUE(std::equal(piece.begin(), piece.end(), small.begin() + 60));
  EXPECT_EQ(ErrorOf([&] { file.SeekForward(10); }), "Tabrix can't read the properties of this file.");
}

TEST(Ole2Read, NonCompoundInputRaisesOrOnlyFlagsWhenAskedTo) {
  std::vector<std::uint8_t> text(1000, 'x');
  auto tmpl = TemplateCopy();
  std::vector<std::uint8_t> shortDoc(tmpl.begin(), tmpl.begin() + 75);
  for (const auto& input : {text, shortDoc}) {
    base::TSpanStream stream(input);
    stream.SetPosition(1);
    EXPECT_EQ(ErrorOf([&] { TOle2File file(stream); }), "The file \"\" is invalid");
    stream.SetPosition(1);
    TOle2File quiet(stream, true);
    EXPECT_TRUE(quiet.NotXls97());
    EXPECT_EQ(stream.Position(), 1);
  }
}

TEST(Ole2Read, FreeIndexEntriesEachAddAFreeTableSector) {
  auto doc = TemplateCopy();
  base::TSpanStream stream(doc);
  container::TOle2Header header(stream, false);
  container::TOle2FAT fat(header, stream, 26);
  EXPECT_EQ(fat.Count(), 128u + 108u * 128u);
  EXPECT_EQ(fat.GetNextSector(0), 1u);
  EXPECT_EQ(fat.GetNextSector(24), container::FATSECT);
  EXPECT_EQ(fat.GetNextSector(200), container::FREESECT);
}

// Malformed documents: each is refused with the container's message, never a hang or a read
// outside the input.
TEST(Ole2Read, MalformedDocumentsAreRefused) {
  using testing_support::PutU32At;
  const std::string kInvalid = "Error reading Excel records. File invalid";
  auto base = BuildCompoundDocument({{u"Workbook", PatternBytes(5000)}, {u"Small", PatternBytes(100)}});
  struct TCase {
    std::string Name;
    std::function<void(testing_support::TFixtureDocument&)> Damage;
    std::u16string Stream;
    std::string Message;
  };
  const std::vector<TCase> cases = {
      {"directory chain loops", [](auto& d) { PutU32At(d.Bytes, d.FatEntryOffset(d.FirstDirSector), d.FirstDirSector); },
       u"Missing", kInvalid},
      {"stream chain runs past the table", [](auto& d) { PutU32At(d.Bytes, d.FatEntryOffset(3), 100000); },
       u"Workbook", kInvalid},
      {"stream chain ends early", [](auto& d) { PutU32At(d.Bytes, d.FatEntryOffset(3), container::ENDOFCHAIN); },
       u"Workbook", kInvalid},
      {"stream chain loops", [](auto& d) { PutU32At(d.Bytes, d.FatEntryOffset(5), 0); }, u"Workbook", ""},
      {"start sector outside the file", [](auto& d) { PutU32At(d.Bytes, d.EntryOffset(1) + 116, 5000); },
       u"Workbook", kInvalid},
      {"size larger than the file", [](auto& d) { PutU32At(d.Bytes, d.EntryOffset(1) + 120, 0x7FFFFFFF); },
       u"Workbook", kInvalid},
      {"mini stream larger than the root's data", [](auto& d) { PutU32At(d.Bytes, d.EntryOffset(0) + 120, 64); },
       u"Small", kInvalid},
      {"mini chain runs past the mini table", [](auto& d) { PutU32At(d.Bytes, d.EntryOffset(2) + 116, 1000); },
       u"Small", kInvalid},
      {"directory start outside the file", [](auto& d) { PutU32At(d.Bytes, container::kHdrDirStart, 999); },
       u"Workbook", kInvalid},
      {"index extension missing", [](auto& d) { PutU32At(d.Bytes, container::kHdrDifCount, 1); }, u"Workbook", kInvalid},
      {"index extension count huge", [](auto& d) {
         PutU32At(d.Bytes, container::kHdrDifCount, 0xFFFFFFF0);
         PutU32At(d.Bytes, container::kHdrDifStart, 0);
       }, u"Workbook", kInvalid},
      {"mini table chain ends early", [](auto& d) { PutU32At(d.Bytes, container::kHdrMiniFatCount, 3); },
       u"Workbook", kInvalid},
      {"table sector outside the file", [](auto& d) { PutU32At(d.Bytes, container::kHdrIndex + 4, 4000); },
       u"Workbook", kInvalid},
      {"table sector listed twice", [](auto& d) { PutU32At(d.Bytes, container::kHdrIndex + 4, d.FirstFatSector); },
       u"Workbook", kInvalid},
      {"sector shift 12", [](auto& d) { d.Bytes[container::kHdrSectorShift] = 12; }, u"Workbook",
       "The file \"\" is invalid"},
      {"small-stream cutoff not 4096", [](auto& d) { PutU32At(d.Bytes, container::kHdrMiniCutoff, 0xFFFFFFF0); },
       u"Workbook", "The file \"\" is invalid"},
  };
  for (const auto& c : cases) {
    auto doc = base;
    c.Damage(doc);
    std::string error = ErrorOf([&] {
      base::TSpanStream stream(doc.Bytes);
      TOle2File file(stream);
      file.SelectStream(c.Stream);
      std::vector<std::uint8_t> data(static_cast<std::size_t>(file.Length()));
      file.ReadMem(data.data(), static_cast<std::uint32_t>(data.size()));
    });
    // A loop inside a stream's own chain only repeats data: the read is bounded by the size.
    EXPECT_EQ(error, c.Message.empty() ? "(no error)" : c.Message) << c.Name;
  }
}

}  // namespace
