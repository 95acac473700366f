// Files the engine writes, opened by independent readers: olefile and xlrd through
// read_back.py, and the full xls-check (compound file, records, xlrd, LibreOffice). A reader
// that is not installed makes the test SKIP, never pass.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "base/byte_stream.h"
#include "container/ole2_file.h"
#include "engine/template/empty_workbook.h"
#include "support/temp_dir.h"

namespace {

struct TRun {
  int ExitCode;
  std::string Output;
};

TRun RunCommand(const std::string& ACommand) {
  TRun run{-1, {}};
  FILE* pipe = ::popen((ACommand + " 2>&1").c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) run.Output.append(buffer, n);
  int status = ::pclose(pipe);
  run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

void WriteFile(const std::string& AName, std::span<const std::uint8_t> ABytes) {
  std::ofstream out(AName, std::ios::binary);
  out.write(reinterpret_cast<const char*>(ABytes.data()), static_cast<std::streamsize>(ABytes.size()));
}

// The template's own records written through a copy of its other streams: a complete
// one-sheet workbook, saved the way every workbook is (open pass, then save pass).
std::vector<std::uint8_t> OneSheetWorkbook() {
  base::TSpanStream source(engine::tmpl::EmptyWorkbookBytes());
  base::TMemoryStream image;
  {
    container::TOle2File file(source);
    file.SelectStream(u"Workbook");
    file.PrepareForWrite(image, u"Workbook");
    file.Close();
  }
  auto records = engine::tmpl::TemplateWorkbookRecords();
  base::TMemoryStream output;
  {
    base::TSpanStream imageStream(image.Data());
    container::TOle2File file(imageStream);
    file.PrepareForWrite(output, u"Workbook");
    file.WriteMem(records.data(), static_cast<std::uint32_t>(records.size()));
    file.Close();
  }
  return output.TakeData();
}

class WrittenFiles : public testing::TestWithParam<std::string> {
protected:
  std::string Write() {
    std::string name = FDir.File(GetParam() + ".xls");
    if (GetParam() == "template")
      WriteFile(name, engine::tmpl::EmptyWorkbookBytes());
    else
      WriteFile(name, OneSheetWorkbook());
    return name;
  }
  testing_support::TTempDir FDir;
};

TEST_P(WrittenFiles, IndependentReadersReadThemCleanly) {
  std::string file = Write();
  TRun run = RunCommand("/usr/bin/python3 " VEXA2_READ_BACK_SCRIPT " " + file);
  if (run.ExitCode == 77) GTEST_SKIP() << run.Output;
  EXPECT_EQ(run.ExitCode, 0) << run.Output;
  EXPECT_NE(run.Output.find("sheet 'Sheet1': 0 rows"), std::string::npos) << run.Output;
}

TEST_P(WrittenFiles, PassTheFullXlsCheck) {
  if (!std::filesystem::exists(VEXA2_XLS_CHECK)) GTEST_SKIP() << "xls-check not found at " VEXA2_XLS_CHECK;
  std::string file = Write();
  TRun run = RunCommand(std::string(VEXA2_XLS_CHECK) + " --strict " + file);
  if (run.ExitCode == 3) GTEST_SKIP() << run.Output;
  EXPECT_EQ(run.ExitCode, 0) << run.Output;
}

INSTANTIATE_TEST_SUITE_P(Files, WrittenFiles, testing::Values("template", "one_sheet_workbook"));

TEST(WrittenFilesSize, OneSheetWorkbookIs14336Bytes) { EXPECT_EQ(OneSheetWorkbook().size(), 14336u); }

}  // namespace
