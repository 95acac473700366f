#include "frontend/batch_run.h"

#include <algorithm>
#include <climits>

#include "frontend/answer_line.h"
#include "frontend/comma_text.h"
#include "frontend/items_file.h"

namespace frontend {

namespace {

constexpr int kExtraColumns = 49;  // blank columns the grid keeps after an answer's values
constexpr int kKeyColumns = 4;     // sumlev, year, acspgm, geoid

int ClampedCount(std::size_t ACount) {
  return static_cast<int>(std::min<std::size_t>(ACount, INT_MAX - kExtraColumns - kKeyColumns));
}

std::size_t ItemCount(const std::string& AItems) {
  return AItems.empty()
             ? 0
             : static_cast<std::size_t>(std::count(AItems.begin(), AItems.end(), ',')) + 1;
}

// How many geographies a list file holds, counted as the run counts them: one per line, and
// always at least one.
int CountGeographies(const std::string& AFileName) {
  TTextReader list(AFileName);
  int count = 0;
  do {
    list.ReadLine();
    ++count;
  } while (!list.Eof());
  list.Close();
  return count;
}

}  // namespace

TBatchRun::TBatchRun(grid::TSpreadGrid& AGrid, TTextWriter& ACsvOutput,
                     TUserInterface& AUserInterface, TDownloader& ADownloader,
                     const TServiceEndpoint& AService, std::string AAnswerFile, TFormBoxes& ABoxes)
    : FGrid(AGrid),
      FCsvOutput(ACsvOutput),
      FUserInterface(AUserInterface),
      FDownloader(ADownloader),
      FService(AService),
      FAnswerFile(std::move(AAnswerFile)),
      FBoxes(ABoxes) {}

void TBatchRun::Execute() {
  ClearGrid();
  TItemList items = ReadItemsFile(FBoxes.ItemsFile);
  FLabels = std::move(items.Labels);
  FBoxes.Items = std::move(items.Items);

  int total = CountGeographies(FBoxes.GeoListFile);
  FUserInterface.SetProgress(0, total);
  TTextReader list(FBoxes.GeoListFile);
  int number = 0;
  do {
    std::string line = list.ReadLine();
    ++number;
    FUserInterface.SetStatusText(std::to_string(number));
    FUserInterface.ProcessMessages();
    TGeoCode geo = ParseGeoCode(line);
    std::string address = BuildRequestAddress(line, FBoxes.Items, FService);
    // An earlier answer must never stand in for this geography's.
    RemoveFileIfPresent(FAnswerFile);
    bool failed = false;
    try {
      FDownloader.Download(address, FAnswerFile);
    } catch (const EDownloadError&) {
      failed = true;
      if (FBoxes.ShowResult)
        FUserInterface.ShowMessage(base::Message(base::TMessage::Unsuccessful));
      FUserInterface.ProcessMessages();
    }
    ProcessAnswer(FAnswerFile, geo, number == 1, failed);
    // The list may have grown since it was counted.
    total = std::max(total, number);
    FUserInterface.SetProgress(number, total);
  } while (!list.Eof());
  // Geography k sits in row k; the last one is brought inside the grid.
  FGrid.SetRowCount(number + 1);
  list.Close();
  FUserInterface.ShowMessage(base::Message(base::TMessage::Done));
}

void TBatchRun::ClearGrid() {
  for (int col = 0; col < FGrid.ColCount(); ++col) FGrid.Cols(col).Clear();
  FGrid.SetRowCount(0);
}

void TBatchRun::ProcessAnswer(const std::string& AAnswerFile, const TGeoCode& AGeo,
                              bool AFirstGeography, bool ADownloadFailed) {
  if (ADownloadFailed) {
    // The values the row would have had: as many as the last answer of the run, or one per
    // requested item before any answer came.
    std::size_t count = FLastValueCount.value_or(ItemCount(FBoxes.Items));
    if (AFirstGeography) FCsvOutput.WriteLine(std::string(kCsvHeaderLine));
    FGrid.SetColCount(std::max(FGrid.ColCount(), kKeyColumns + ClampedCount(count)));
    WriteHeaderRowOnce(count);
    FCsvOutput.WriteLine(CsvKeyFields(AGeo) + FailedValues(count));
    int row = PlaceRow(AFirstGeography);
    WriteKeyColumns(row, AGeo);
    for (int k = 0; k < ClampedCount(count); ++k) FGrid.SetCells(kKeyColumns + k, row, "-1");
    return;
  }

  TTextReader answer(AAnswerFile);
  if (AFirstGeography) FCsvOutput.WriteLine(std::string(kCsvHeaderLine));
  std::vector<std::string> header = SplitCommaText(answer.ReadLine());
  FGrid.SetColCount(ClampedCount(header.size()) + kExtraColumns);
  WriteHeaderRowOnce(header.size());
  std::string dataLine = answer.ReadLine();
  if (FBoxes.ShowResult) FUserInterface.ShowMessage(dataLine);
  std::string cleaned = CleanDataLine(dataLine);
  FCsvOutput.WriteLine(CsvKeyFields(AGeo) + cleaned);
  std::vector<std::string> values = SplitCommaText(cleaned);
  // A data line longer than its header still lies inside the grid, where the next run clears it.
  FGrid.SetColCount(std::max(FGrid.ColCount(), kKeyColumns + ClampedCount(values.size())));
  int row = PlaceRow(AFirstGeography);
  WriteKeyColumns(row, AGeo);
  for (int k = 0; k < ClampedCount(values.size()); ++k)
    FGrid.SetCells(kKeyColumns + k, row, std::move(values[static_cast<std::size_t>(k)]));
  FLastValueCount = values.size();
  answer.Close();
}

void TBatchRun::WriteHeaderRowOnce(std::size_t AValueCount) {
  if (FHeaderRowWritten) return;
  FGrid.SetCells(0, 0, "sumlev");
  FGrid.SetCells(1, 0, "year1");
  FGrid.SetCells(2, 0, "acspgm");
  FGrid.SetCells(3, 0, "geoid");
  std::size_t labels = std::min(AValueCount, FLabels.size());
  for (std::size_t k = 0; k < labels; ++k)
    FGrid.SetCells(kKeyColumns + static_cast<int>(k), 0, FLabels[k]);
  FHeaderRowWritten = true;
}

int TBatchRun::PlaceRow(bool AFirstGeography) {
  if (!AFirstGeography) FGrid.SetRowCount(FGrid.RowCount() + 1);
  return FGrid.RowCount();
}

void TBatchRun::WriteKeyColumns(int ARow, const TGeoCode& AGeo) {
  FGrid.SetCells(0, ARow, AGeo.sumlev);
  FGrid.SetCells(1, ARow, AGeo.year);
  FGrid.SetCells(2, ARow, AGeo.acspgm);
  FGrid.SetCells(3, ARow, AGeo.geoid);
}

}  // namespace frontend
