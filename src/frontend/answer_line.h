// The texts of one answer's result: the clean-up of the service's data line and the lines of
// the CSV output file.
#pragma once

#include <string>
#include <string_view>

#include "frontend/geo_code.h"

namespace frontend {

// Written once per batch run before the first geography's line, whatever the items are.
inline constexpr std::string_view kCsvHeaderLine =
    "\"sumlev\",\"year\",\"acspgm\",\"item1\",\"item2\",\"item3\",";

// "-666666666" becomes "-6" everywhere; outside quoted values the bare word null becomes "-1"
// in double quotes and the square brackets of the array notation go. Quoted values (place
// names) keep their text, so a name can neither lose characters nor break the quoting.
std::string CleanDataLine(std::string_view ALine);

// "sumlev","year","acspgm", (each quoted and followed by a comma), the start of a CSV line.
std::string CsvKeyFields(const TGeoCode& AGeo);

// What a failed geography's values are: ACount times "-1", quoted and comma-separated.
std::string FailedValues(std::size_t ACount);

}  // namespace frontend
