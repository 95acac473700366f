// The built-in empty workbook: the compound document every new workbook and every blank sheet
// is loaded from. It is assembled once, on first use, from the readable tables in
// template_records.cpp and property_sets.cpp.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace engine::tmpl {

inline constexpr std::size_t kEmptyWorkbookSize = 13824;
inline constexpr std::size_t kTemplateStreamSize = 4096;  // each of the three streams

inline constexpr std::u16string_view kWorkbookStreamName = u"Workbook";
inline constexpr std::u16string_view kSummaryInformationName = u"\u0005SummaryInformation";
inline constexpr std::u16string_view kDocumentSummaryInformationName =
    u"\u0005DocumentSummaryInformation";

// The whole compound document, 13824 bytes.
std::span<const std::uint8_t> EmptyWorkbookBytes();

// The records of the "Workbook" stream (1704 bytes, without the zero padding).
std::vector<std::uint8_t> TemplateWorkbookRecords();

// The two property-set streams' data (without the zero padding to 4096 bytes).
std::vector<std::uint8_t> TemplateSummaryInformation();
std::vector<std::uint8_t> TemplateDocumentSummaryInformation();

}  // namespace engine::tmpl
