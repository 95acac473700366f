// The batch run ("Run"): every geography of a list file is requested with the items of an
// items file; each answer becomes a grid row and a line of the CSV output file.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "frontend/download/downloader.h"
#include "frontend/form_boxes.h"
#include "frontend/geo_code.h"
#include "frontend/text_file.h"
#include "frontend/user_interface.h"
#include "grid/spread_grid.h"

namespace frontend {

class TBatchRun {
 public:
  // Nothing is owned; every reference must outlive the run.
  TBatchRun(grid::TSpreadGrid& AGrid, TTextWriter& ACsvOutput, TUserInterface& AUserInterface,
            TDownloader& ADownloader, const TServiceEndpoint& AService, std::string AAnswerFile,
            TFormBoxes& ABoxes);

  // Reads the item and geography list files named in the boxes and writes the item list into
  // the Items box. File errors end the run at the point they happen and pass to the caller.
  void Execute();

  // One geography's answer (or its failed download) into one CSV line and one grid row.
  void ProcessAnswer(const std::string& AAnswerFile, const TGeoCode& AGeo, bool AFirstGeography,
                     bool ADownloadFailed);

 private:
  void ClearGrid();
  void WriteHeaderRowOnce(std::size_t AValueCount);
  int PlaceRow(bool AFirstGeography);
  void WriteKeyColumns(int ARow, const TGeoCode& AGeo);

  grid::TSpreadGrid& FGrid;
  TTextWriter& FCsvOutput;
  TUserInterface& FUserInterface;
  TDownloader& FDownloader;
  const TServiceEndpoint& FService;
  std::string FAnswerFile;
  TFormBoxes& FBoxes;

  // Run state.
  std::vector<std::string> FLabels;
  bool FHeaderRowWritten = false;
  std::optional<std::size_t> FLastValueCount;  // of the last successful answer
};

}  // namespace frontend
