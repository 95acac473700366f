// What the window takes from its platform rather than from its boxes: the program folder, the
// places of its answer and output files, and the service endpoint with its key.
#pragma once

#include <string>

#include "frontend/geo_code.h"

namespace frontend {

struct TFormSettings {
  std::string ProgramFolder;                     // with a trailing "/"
  std::string BatchAnswerFile;                   // replaced by every download of a batch run
  std::string SingleAnswerFile = "apifile.csv";  // relative: the current working folder
  std::string CsvOutputFile = "newfile.csv";     // relative: the current working folder
  TServiceEndpoint Service;
};

// The folder of the running program file, with a trailing "/".
std::string RunningProgramFolder();

// $XDG_CACHE_HOME/vexa2/apifile.csv, by default under ~/.cache.
std::string DefaultBatchAnswerFile();

// The built-in host; the key of CENSUS_API_KEY when it is set and not empty, else the
// built-in one.
TServiceEndpoint ServiceEndpointFromEnvironment();

TFormSettings DefaultFormSettings();

}  // namespace frontend
