#include "frontend/text_file.h"

#include <gtest/gtest.h>

#include <fstream>

#include "base/file_error.h"
#include "frontend/items_file.h"
#include "support/temp_dir.h"

namespace {

using frontend::TTextReader;
using frontend::TTextWriter;
using testing_support::TTempDir;

void WriteBytes(const std::string& APath, std::string_view ABytes) {
  std::ofstream(APath, std::ios::binary) << ABytes;
}

std::string ReadBytes(const std::string& APath) {
  std::ifstream in(APath, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The error code and message a call raises.
template <class F>
std::pair<int, std::string> FileErrorOf(F ACall) {
  try {
    ACall();
  } catch (const base::EFileError& error) {
    return {error.Code(), error.Message()};
  }
  return {0, ""};
}

TEST(TextReader, SplitsLinesAtLfAndCrLfAndDropsLoneCr) {
  TTempDir dir;
  WriteBytes(dir.File("a.txt"), "one\r\ntw\ro\nthree\n\nlast");
  TTextReader reader(dir.File("a.txt"));
  std::vector<std::string> lines;
  while (!reader.Eof()) lines.push_back(reader.ReadLine());
  EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three", "", "last"}));
  EXPECT_EQ(reader.ReadLine(), "");  // past the end: empty, no error
  reader.Close();
}

TEST(TextReader, EndsWhenNoByteIsLeft) {
  TTempDir dir;
  WriteBytes(dir.File("a.txt"), "x\n");
  TTextReader reader(dir.File("a.txt"));
  EXPECT_EQ(reader.ReadLine(), "x");
  EXPECT_TRUE(reader.Eof());  // a final line break opens no further line
  WriteBytes(dir.File("empty.txt"), "");
  EXPECT_TRUE(TTextReader(dir.File("empty.txt")).Eof());
}

TEST(TextWriter, EndsEveryLineWithCrLf) {
  TTempDir dir;
  TTextWriter writer;
  writer.Open(dir.File("out.csv"));
  writer.WriteLine("\"a\",");
  writer.WriteLine("");
  EXPECT_EQ(ReadBytes(dir.File("out.csv")), "\"a\",\r\n\r\n");  // handed over at once
  writer.Close();
  writer.Open(dir.File("out.csv"));  // created again: emptied
  writer.Close();
  EXPECT_EQ(ReadBytes(dir.File("out.csv")), "");
}

TEST(TextFiles, RaiseTheConventionsFileErrors) {
  TTempDir dir;
  using TResult = std::pair<int, std::string>;
  EXPECT_EQ(FileErrorOf([&] { TTextReader r(dir.File("missing.txt")); }),
            TResult(2, "The specified file was not found"));
  EXPECT_EQ(FileErrorOf([&] { TTextReader r(dir.File("no-folder/a.txt")); }),
            TResult(3, "Invalid file name - %s"));
  EXPECT_EQ(FileErrorOf([&] { TTextReader r(std::string(5000, 'a')); }),
            TResult(3, "Invalid file name - %s"));
  EXPECT_EQ(FileErrorOf([&] {
              TTextWriter w;
              w.Open(dir.File("no-folder/out.csv"));
            }),
            TResult(3, "Invalid file name - %s"));
  EXPECT_EQ(FileErrorOf([&] {
              TTextWriter w;
              w.WriteLine("x");
            }),
            TResult(103, "I/O error 103"));
  EXPECT_EQ(FileErrorOf([&] {
              TTextWriter w;
              w.Open("/dev/full");
              w.WriteLine("x");
            }),
            TResult(101, "Disk full"));
  // A folder opens but cannot be read.
  EXPECT_EQ(FileErrorOf([&] { TTextReader(dir.Path().string()).ReadLine(); }),
            TResult(EISDIR, "I/O error " + std::to_string(EISDIR)));
}

TEST(RemoveFileIfPresent, ToleratesAMissingFileButNotAMissingFolder) {
  TTempDir dir;
  WriteBytes(dir.File("a.csv"), "x");
  frontend::RemoveFileIfPresent(dir.File("a.csv"));
  EXPECT_FALSE(std::filesystem::exists(dir.File("a.csv")));
  EXPECT_NO_THROW(frontend::RemoveFileIfPresent(dir.File("a.csv")));
  EXPECT_EQ(FileErrorOf([&] { frontend::RemoveFileIfPresent(dir.File("gone/a.csv")); }).first, 3);
}

TEST(ItemsFile, GivesCodesAndLabels) {
  struct TCase {
    std::string Content;
    std::string Items;
    std::vector<std::string> Labels;
  };
  const TCase cases[] = {
      // Labels are characters 12 to 21, unchanged: after an 11-character code, the space too.
      {"NAME        Name       Area\nB01001_001E TotPop     Total\nB19013_001E MedHHInc\n",
       "NAME,B01001_001E,B19013_001E",
       {" Name     ", " TotPop   ", " MedHHInc"}},
      {"B01001_001E TotPop", "B01001_001E", {" TotPop"}},
      // A line without a space is all code; a short line has an empty label.
      {"B01001_001E\r\nNAME\r\n", "B01001_001E,NAME", {"", ""}},
      // An empty file still gives one (empty) item; a blank line in the middle does too.
      {"", "", {""}},
      {"A x\n\nB y", "A,,B", {"", "", ""}},
  };
  TTempDir dir;
  for (const auto& c : cases) {
    WriteBytes(dir.File("items_x.txt"), c.Content);
    auto list = frontend::ReadItemsFile(dir.File("items_x.txt"));
    EXPECT_EQ(list.Items, c.Items) << c.Content;
    EXPECT_EQ(list.Labels, c.Labels) << c.Content;
  }
}

TEST(ItemsFile, HasALabelForEveryLine) {
  TTempDir dir;
  std::string content;
  for (int i = 1; i <= 60; ++i)
    content += "B01001_" + std::to_string(100 + i) + "E Label" + std::to_string(i) + "\n";
  WriteBytes(dir.File("items_many.txt"), content);
  auto list = frontend::ReadItemsFile(dir.File("items_many.txt"));
  ASSERT_EQ(list.Labels.size(), 60u);
  EXPECT_EQ(list.Labels[59], " Label60");
}

}  // namespace
