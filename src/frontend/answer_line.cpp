#include "frontend/answer_line.h"

namespace frontend {

namespace {

std::string ReplaceAll(std::string_view AText, std::string_view AFrom, std::string_view ATo) {
  std::string out;
  out.reserve(AText.size());
  std::size_t start = 0;
  for (std::size_t found; (found = AText.find(AFrom, start)) != std::string_view::npos;
       start = found + AFrom.size()) {
    out += AText.substr(start, found - start);
    out += ATo;
  }
  out += AText.substr(start);
  return out;
}

void AppendQuoted(std::string& AOut, std::string_view AText) {
  AOut += '"';
  for (char c : AText) {
    if (c == '"') AOut += '"';
    AOut += c;
  }
  AOut += "\",";
}

}  // namespace

std::string CleanDataLine(std::string_view ALine) {
  const std::string line = ReplaceAll(ALine, "-666666666", "-6");
  std::string out;
  out.reserve(line.size());
  bool inString = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    char c = line[i];
    if (inString) {
      out += c;
      if (c == '\\' && i + 1 < line.size())
        out += line[++i];  // a JSON escape, \" included, stays inside the value
      else if (c == '"')
        inString = false;
    } else if (c == '"') {
      inString = true;
      out += c;
    } else if (c == '[' || c == ']') {
      continue;
    } else if (line.compare(i, 4, "null") == 0) {
      out += "\"-1\"";
      i += 3;
    } else {
      out += c;
    }
  }
  return out;
}

std::string CsvKeyFields(const TGeoCode& AGeo) {
  std::string out;
  AppendQuoted(out, AGeo.sumlev);
  AppendQuoted(out, AGeo.year);
  AppendQuoted(out, AGeo.acspgm);
  return out;
}

std::string FailedValues(std::size_t ACount) {
  std::string out;
  for (std::size_t k = 0; k < ACount; ++k) out += k == 0 ? "\"-1\"" : ",\"-1\"";
  return out;
}

}  // namespace frontend
