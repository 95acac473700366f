// Fuzz target: arbitrary bytes as a downloaded answer file, processed into a CSV line and a
// grid row the way the batch run does. Invariant: whatever the answer, processing ends, and
// every cell of the row lies inside the grid, where the next run's clearing reaches it.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "frontend/batch_run.h"

namespace {

class TQuietInterface : public frontend::TUserInterface {
 public:
  void ShowMessage(const std::string&) override {}
  void ShowErrorBox(const std::string&) override {}
  bool Confirm(const std::string&) override { return false; }
  std::optional<std::string> OpenFileDialog(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  void ProcessMessages() override {}
  void SetStatusText(const std::string&) override {}
  void SetProgress(int, int) override {}
  void OpenDocument(const std::string&) override {}
};

class TNoDownloads : public frontend::TDownloader {
 public:
  void Download(const std::string& AAddress, const std::string&) override {
    throw frontend::EDownloadError(AAddress, 0, "no network while fuzzing");
  }
};

// One answer file per process, removed when it ends.
class TAnswerFile {
 public:
  TAnswerFile() {
    int fd = ::mkstemp(FName.data());
    if (fd < 0) std::abort();
    ::close(fd);
  }
  ~TAnswerFile() { ::unlink(FName.c_str()); }
  const std::string& Name() const { return FName; }

 private:
  std::string FName = "/tmp/vexa2-fuzz-answer-XXXXXX";
};

const std::string& AnswerFile() {
  static const TAnswerFile file;
  return file.Name();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize) {
  std::FILE* file = std::fopen(AnswerFile().c_str(), "wb");
  if (file == nullptr || std::fwrite(AData, 1, ASize, file) != ASize || std::fclose(file) != 0)
    std::abort();

  grid::TSpreadGrid grid(5, 10);
  frontend::TTextWriter csv;
  csv.Open("/dev/null");
  TQuietInterface ui;
  TNoDownloads downloads;
  frontend::TServiceEndpoint service;
  frontend::TFormBoxes boxes;
  boxes.ShowResult = ASize > 0 && (AData[0] & 1) != 0;
  frontend::TBatchRun run(grid, csv, ui, downloads, service, AnswerFile(), boxes);
  frontend::TGeoCode geo = frontend::ParseGeoCode("140-22-5-04013216813");
  run.ProcessAnswer(AnswerFile(), geo, true, false);
  run.ProcessAnswer(AnswerFile(), geo, false, false);
  run.ProcessAnswer(AnswerFile(), geo, false, true);
  for (int row = 1; row <= grid.RowCount(); ++row)
    if (!grid.Cells(grid.ColCount(), row).empty()) std::abort();
  return 0;
}
