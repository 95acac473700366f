// The captions, labels and hints of the window's controls and menus.
#pragma once

namespace app {

inline constexpr const char* kGetOneGroup = "Get One";
inline constexpr const char* kRunOneButton = "Run One";
inline constexpr const char* kGeocodeLabel = "Geocode";
inline constexpr const char* kItemsLabel = "Items";

inline constexpr const char* kRunFromFileGroup = "Run from File";
inline constexpr const char* kRunButton = "Run";
inline constexpr const char* kShowResultCheck = "Show Result";
inline constexpr const char* kOpenButton = "Open";
inline constexpr const char* kGeoListLabel = "GeoList File";
inline constexpr const char* kCreateXlsButton = "Create XLS";
inline constexpr const char* kOpenXlsCheck = "Open XLS";

inline constexpr const char* kFilesGroup = "Files";
inline constexpr const char* kItemsFileLabel = "Subject Matter Items File Path/Name";
inline constexpr const char* kViewEditButton = "View/Edit";
inline constexpr const char* kViewEditHint = "uses Notepad";
inline constexpr const char* kOutputFileLabel = "Output File Path/Name";

inline constexpr const char* kFileMenu = "&Fike";
inline constexpr const char* kDatabaseMenu = "&Database";
inline constexpr const char* kToolsMenu = "&Tools";
inline constexpr const char* kOptionsMenu = "&Options";
inline constexpr const char* kHelpMenu = "&Help";
inline constexpr const char* kGuideCommand = "&Guide";

}  // namespace app
