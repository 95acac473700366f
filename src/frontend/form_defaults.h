// The window's fixed texts and the initial values of its boxes.
#pragma once

#include <string_view>

namespace frontend {

inline constexpr std::string_view kFormCaption = "VEXA2 Quillane 2 Version 01.05.24.2";
inline constexpr std::string_view kDefaultGeocode = "140-22-5-04013216813";
inline constexpr std::string_view kGeocodeHint = "sumlev-year-1/5-geocode";
inline constexpr std::string_view kDefaultItems =
    "NAME,B01001_001E,B19013_001E,B25077_001E,B25064_001E,B25003_001E,B25003_002E,B25003_003E";
inline constexpr std::string_view kDefaultGeoListFile = "geo_irvinesd.txt";
inline constexpr std::string_view kDefaultItemsFile = "items_acs_base.txt";
inline constexpr std::string_view kItemsFilter = "Items files|items_*.txt";
inline constexpr std::string_view kGeoListFilter = "GeoList files|geo_*.txt";
inline constexpr std::string_view kGuideAddress =
    "https://www.census.gov/data/developers/guidance/api-user-guide.html";

// The grid as the window first shows it.
inline constexpr int kInitialGridCols = 5;
inline constexpr int kInitialGridRows = 10;

}  // namespace frontend
