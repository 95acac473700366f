#include "base/byte_stream.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <functional>
#include <memory>

#include "base/file_error.h"
#include "support/temp_dir.h"

namespace {

using base::TByteStream;

std::vector<std::uint8_t> Bytes(std::initializer_list<int> AValues) {
  std::vector<std::uint8_t> v;
  for (int x : AValues) v.push_back(static_cast<std::uint8_t>(x));
  return v;
}

// The same contract for every writable stream kind.
class WritableStreamTest : public testing::TestWithParam<std::string> {
protected:
  std::unique_ptr<TByteStream> Make() {
    if (GetParam() == "memory") return std::make_unique<base::TMemoryStream>();
    return std::make_unique<base::TFileStream>(FDir.File("s.bin"), base::TFileStream::TMode::Create);
  }
  testing_support::TTempDir FDir;
};

TEST_P(WritableStreamTest, ReadsBackWhatWasWrittenAndReportsShortReads) {
  auto s = Make();
  auto data = Bytes({1, 2, 3, 4, 5});
  s->Write(data);
  EXPECT_EQ(s->Position(), 5);
  EXPECT_EQ(s->Size(), 5);
  s->SetPosition(3);
  std::uint8_t buffer[10] = {};
  EXPECT_EQ(s->Read(buffer, 10), 2u);  // only two bytes are left
  EXPECT_EQ(buffer[0], 4);
  EXPECT_EQ(buffer[1], 5);
  EXPECT_EQ(s->Read(buffer, 10), 0u);
  EXPECT_EQ(s->Position(), 5);
}

TEST_P(WritableStreamTest, WritingPastTheEndLeavesZerosInTheGap) {
  auto s = Make();
  s->Write(Bytes({9}));
  s->SetPosition(100000);  // 64-bit positions, far past the end
  EXPECT_EQ(s->Read(nullptr, 0), 0u);
  s->Write(Bytes({7, 8}));
  EXPECT_EQ(s->Size(), 100002);
  std::vector<std::uint8_t> all(100002, 0xAA);
  s->SetPosition(0);
  ASSERT_EQ(s->Read(all.data(), all.size()), all.size());
  EXPECT_EQ(all[0], 9);
  EXPECT_TRUE(std::all_of(all.begin() + 1, all.end() - 2, [](auto b) { return b == 0; }));
  EXPECT_EQ(all[100000], 7);
  EXPECT_EQ(all[100001], 8);
}

TEST_P(WritableStreamTest, OverwritesInPlaceAndKeepsTheRest) {
  auto s = Make();
  s->Write(std::vector<std::uint8_t>(200000, 1));  // larger than the file buffer
  s->SetPosition(10);
  s->Write(Bytes({2, 2}));
  s->SetPosition(9);
  std::uint8_t b[4];
  ASSERT_EQ(s->Read(b, 4), 4u);
  EXPECT_EQ(b[0], 1);
  EXPECT_EQ(b[1], 2);
  EXPECT_EQ(b[2], 2);
  EXPECT_EQ(b[3], 1);
  EXPECT_EQ(s->Size(), 200000);
}

INSTANTIATE_TEST_SUITE_P(Kinds, WritableStreamTest, testing::Values("memory", "file"));

TEST(FileStream, ContentReachesTheDiskOnClose) {
  testing_support::TTempDir dir;
  {
    base::TFileStream s(dir.File("a.bin"), base::TFileStream::TMode::Create);
    s.Write(Bytes({0x41, 0x42}));
    s.Close();
  }
  std::ifstream in(dir.File("a.bin"), std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(text, "AB");
}

TEST(FileStream, FailuresCarryTheConventionsCodes) {
  testing_support::TTempDir dir;
  struct TCase {
    std::string Name;
    std::function<void()> Open;
    int Code;
    std::string Message;
  };
  std::string longName(5000, 'x');
  ::mkdir(dir.File("sub").c_str(), 0755);
  std::vector<TCase> cases = {
      {"missing", [&] { base::TFileStream(dir.File("none"), base::TFileStream::TMode::OpenRead); }, 2,
       "The specified file was not found"},
      {"too long", [&] { base::TFileStream(longName, base::TFileStream::TMode::OpenRead); }, 3,
       "Invalid file name - %s"},
      {"folder", [&] { base::TFileStream(dir.File("sub"), base::TFileStream::TMode::OpenRead); }, 5,
       "File access denied"},
      {"no folder", [&] { base::TFileStream(dir.File("none/x"), base::TFileStream::TMode::Create); }, 2,
       "The specified file was not found"},
  };
  for (const auto& c : cases) {
    try {
      c.Open();
      ADD_FAILURE() << c.Name << ": no error";
    } catch (const base::EFileError& e) {
      EXPECT_EQ(e.Code(), c.Code) << c.Name;
      EXPECT_EQ(e.Message(), c.Message) << c.Name;
    }
  }
}

TEST(SpanStream, ReadsButRefusesWrites) {
  auto data = Bytes({1, 2, 3});
  base::TSpanStream s(data);
  std::uint8_t b[3];
  EXPECT_EQ(s.Read(b, 5), 3u);
  EXPECT_THROW(s.Write(b, 1), base::EFileError);
  EXPECT_EQ(data, Bytes({1, 2, 3}));
}

}  // namespace
