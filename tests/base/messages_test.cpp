#include "base/messages.h"

#include <gtest/gtest.h>

#include "base/file_error.h"

namespace {

TEST(FormatText, FillsPlaceholdersInOrder) {
  struct TCase {
    std::string_view Format;
    std::initializer_list<base::TFormatArg> Args;
    std::string Expected;
  };
  const TCase cases[] = {
      {"End of stream reached with %d bytes left to read", {1}, "End of stream reached with 1 bytes left to read"},
      {"Too many entries (%d out of a maximum of %d)", {70000, 65535}, "Too many entries (70000 out of a maximum of 65535)"},
      {"Invalid sheet: %s", {"Data"}, "Invalid sheet: Data"},
      {"Record with ID 0x%x is invalid", {0x809}, "Record with ID 0x809 is invalid"},
      {"Token Id: 0x%2x", {5}, "Token Id: 0x05"},
      {"Record with ID 0x%x is invalid", {0xFD}, "Record with ID 0xFD is invalid"},
      {"The file \"%s\" is invalid", {""}, "The file \"\" is invalid"},
      {"Invalid file name - %s", {}, "Invalid file name - %s"},  // no value: shown unexpanded
      {"100%% done %d", {-3}, "100% done -3"},
      {"%d bytes", {std::int64_t{5000000000}}, "5000000000 bytes"},
  };
  for (const auto& c : cases) EXPECT_EQ(base::FormatText(c.Format, c.Args), c.Expected) << c.Format;
}

TEST(FileErrorMessage, FollowsTheCodes) {
  EXPECT_EQ(base::FileErrorMessage(2), "The specified file was not found");
  EXPECT_EQ(base::FileErrorMessage(101), "Disk full");
  EXPECT_EQ(base::FileErrorMessage(103), "I/O error 103");
  EXPECT_EQ(base::FileErrorCodeFromErrno(ENOSPC), 101);
  EXPECT_EQ(base::FileErrorCodeFromErrno(EROFS), 5);
  EXPECT_EQ(base::FileErrorCodeFromErrno(EIO), EIO);
}

}  // namespace
