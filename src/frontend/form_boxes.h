// The texts and check marks of the window's boxes, which the commands read and write.
#pragma once

#include <string>

#include "frontend/form_defaults.h"

namespace frontend {

struct TFormBoxes {
  std::string Geocode{kDefaultGeocode};
  std::string Items{kDefaultItems};
  std::string GeoListFile{kDefaultGeoListFile};
  std::string ItemsFile{kDefaultItemsFile};  // "Subject Matter Items File Path/Name"
  std::string OutputFile;                    // "Output File Path/Name", set at start-up
  bool ShowResult = false;
};

// The output path rule: the items path without its last four characters, then ".dbf".
std::string OutputPathFor(const std::string& AItemsFile);

}  // namespace frontend
