// The two property-set streams of the empty workbook: a summary set and a document summary set
// with one section each, in the layout spreadsheet programs write them.
#include <cstdint>
#include <string_view>
#include <vector>

#include "base/hex.h"
#include "base/little_endian.h"
#include "engine/template/empty_workbook.h"

namespace engine::tmpl {

namespace {

// Typed property value type ids.
constexpr std::uint16_t VT_I2 = 0x0002;
constexpr std::uint16_t VT_I4 = 0x0003;
constexpr std::uint16_t VT_BOOL = 0x000B;
constexpr std::uint16_t VT_LPSTR = 0x001E;
constexpr std::uint16_t VT_FILETIME = 0x0040;
constexpr std::uint16_t VT_VECTOR_VARIANT = 0x100C;
constexpr std::uint16_t VT_VECTOR_LPSTR = 0x101E;

constexpr std::uint16_t kCodePage = 1252;
// 2000-01-01 00:00:00 UTC as 100-ns intervals since 1601.
constexpr std::uint64_t kTimeStamp = 0x01BF53EB256D4000;
constexpr std::string_view kPlaceholder = "A";

void Put16(std::vector<std::uint8_t>& AOut, std::uint16_t AValue) {
  std::uint8_t b[2];
  base::StoreLE16(b, AValue);
  AOut.insert(AOut.end(), b, b + 2);
}

void Put32(std::vector<std::uint8_t>& AOut, std::uint32_t AValue) {
  std::uint8_t b[4];
  base::StoreLE32(b, AValue);
  AOut.insert(AOut.end(), b, b + 4);
}

void PutType(std::vector<std::uint8_t>& AOut, std::uint16_t AType) {
  Put16(AOut, AType);
  Put16(AOut, 0);
}

// An 8-bit string with its byte count (terminating NUL included) and no padding.
void PutUnalignedString(std::vector<std::uint8_t>& AOut, std::string_view AText) {
  Put32(AOut, static_cast<std::uint32_t>(AText.size() + 1));
  AOut.insert(AOut.end(), AText.begin(), AText.end());
  AOut.push_back(0);
}

// One section: properties are written in the order they are added, values right after the
// identifier/offset pairs.
class TPropertySection {
public:
  void AddI2(std::uint32_t AId, std::uint16_t AValue) {
    auto& v = Begin(AId, VT_I2);
    Put16(v, AValue);
    Put16(v, 0);
  }
  void AddI4(std::uint32_t AId, std::uint32_t AValue) { Put32(Begin(AId, VT_I4), AValue); }
  void AddBool(std::uint32_t AId, bool AValue) {
    auto& v = Begin(AId, VT_BOOL);
    Put16(v, AValue ? 0xFFFF : 0x0000);
    Put16(v, 0);
  }
  void AddString(std::uint32_t AId, std::string_view AText) {
    auto& v = Begin(AId, VT_LPSTR);
    PutUnalignedString(v, AText);
    while (v.size() % 4 != 0) v.push_back(0);
  }
  void AddFileTime(std::uint32_t AId, std::uint64_t AValue) {
    auto& v = Begin(AId, VT_FILETIME);
    Put32(v, static_cast<std::uint32_t>(AValue));
    Put32(v, static_cast<std::uint32_t>(AValue >> 32));
  }
  // Titles of parts: a vector of unpadded strings.
  void AddTitles(std::uint32_t AId, std::initializer_list<std::string_view> ATitles) {
    auto& v = Begin(AId, VT_VECTOR_LPSTR);
    Put32(v, static_cast<std::uint32_t>(ATitles.size()));
    for (auto title : ATitles) PutUnalignedString(v, title);
  }
  // Heading pairs: (heading, number of parts) as an unpadded string and a VT_I4 each.
  void AddHeadingPair(std::uint32_t AId, std::string_view AHeading, std::uint32_t ACount) {
    auto& v = Begin(AId, VT_VECTOR_VARIANT);
    Put32(v, 2);
    PutType(v, VT_LPSTR);
    PutUnalignedString(v, AHeading);
    PutType(v, VT_I4);
    Put32(v, ACount);
  }

  std::vector<std::uint8_t> Bytes() const {
    std::uint32_t offset = 8 + 8 * static_cast<std::uint32_t>(FProperties.size());
    std::vector<std::uint8_t> pairs;
    std::vector<std::uint8_t> values;
    for (const auto& property : FProperties) {
      Put32(pairs, property.Id);
      Put32(pairs, offset + static_cast<std::uint32_t>(values.size()));
      values.insert(values.end(), property.Value.begin(), property.Value.end());
    }
    while (values.size() % 4 != 0) values.push_back(0);
    std::vector<std::uint8_t> section;
    Put32(section, offset + static_cast<std::uint32_t>(values.size()));
    Put32(section, static_cast<std::uint32_t>(FProperties.size()));
    section.insert(section.end(), pairs.begin(), pairs.end());
    section.insert(section.end(), values.begin(), values.end());
    return section;
  }

private:
  struct TProperty {
    std::uint32_t Id;
    std::vector<std::uint8_t> Value;
  };
  std::vector<std::uint8_t>& Begin(std::uint32_t AId, std::uint16_t AType) {
    FProperties.push_back({AId, {}});
    PutType(FProperties.back().Value, AType);
    return FProperties.back().Value;
  }
  std::vector<TProperty> FProperties;
};

// The stream header (byte order, version 0, system identifier 0x00020105, no class id, one
// section), the section's format id and its offset, then the section.
std::vector<std::uint8_t> PropertySetStream(std::string_view AFormatId, const TPropertySection& ASection) {
  std::vector<std::uint8_t> stream = base::ParseHex("FE FF 00 00 05 01 02 00");
  stream.resize(24, 0);
  Put32(stream, 1);
  auto fmtid = base::ParseHex(AFormatId);
  stream.insert(stream.end(), fmtid.begin(), fmtid.end());
  Put32(stream, 0x30);
  auto section = ASection.Bytes();
  stream.insert(stream.end(), section.begin(), section.end());
  return stream;
}

}  // namespace

std::vector<std::uint8_t> TemplateSummaryInformation() {
  TPropertySection section;
  section.AddI2(1, kCodePage);
  section.AddString(4, kPlaceholder);         // author
  section.AddString(8, kPlaceholder);         // last saved by
  section.AddString(18, "Microsoft Excel");   // application name
  section.AddFileTime(12, kTimeStamp);        // created
  section.AddFileTime(13, kTimeStamp);        // last saved
  section.AddI4(19, 0);                       // security: none
  return PropertySetStream("E0 85 9F F2 F9 4F 68 10 AB 91 08 00 2B 27 B3 D9", section);
}

std::vector<std::uint8_t> TemplateDocumentSummaryInformation() {
  TPropertySection section;
  section.AddI2(1, kCodePage);
  section.AddString(15, kPlaceholder);  // company
  section.AddI4(23, 0x000B1338);        // application version
  section.AddBool(11, false);           // scale crop
  section.AddBool(16, false);           // links dirty
  section.AddBool(19, false);           // shared document
  section.AddBool(22, false);           // hyperlinks changed
  section.AddTitles(13, {"Sheet1"});
  section.AddHeadingPair(12, "Worksheets", 1);
  return PropertySetStream("02 D5 CD D5 9C 2E 1B 10 93 97 08 00 2B 2C F9 AE", section);
}

}  // namespace engine::tmpl
