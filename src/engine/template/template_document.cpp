// The empty workbook as a compound document: the three streams in regular sectors (each 4096
// bytes, so there is no mini stream), one allocation-table sector and one directory sector.
//
//   sectors 0-7    "Workbook"
//   sectors 8-15   U+0005 "SummaryInformation"
//   sectors 16-23  U+0005 "DocumentSummaryInformation"
//   sector 24      allocation table
//   sector 25      directory: root, "Workbook", the two property sets
#include <algorithm>
#include <array>

#include "base/hex.h"
#include "base/little_endian.h"
#include "container/ole2_constants.h"
#include "engine/template/empty_workbook.h"

namespace engine::tmpl {

namespace {

using namespace container;

constexpr std::uint32_t kSectorsPerStream = kTemplateStreamSize / 512;
constexpr std::uint32_t kFatSector = 3 * kSectorsPerStream;
constexpr std::uint32_t kDirSector = kFatSector + 1;
constexpr std::size_t kSectorCount = kDirSector + 1;
static_assert(kHeaderSize + kSectorCount * 512 == kEmptyWorkbookSize);

// {00020820-0000-0000-C000-000000000046}, the class of a 97-2003 workbook.
constexpr std::string_view kWorkbookClassId = "20 08 02 00 00 00 00 00 C0 00 00 00 00 00 00 46";

std::uint8_t* Sector(std::vector<std::uint8_t>& ADoc, std::uint32_t ASect) {
  return ADoc.data() + kHeaderSize + static_cast<std::size_t>(ASect) * 512;
}

void WriteHeader(std::vector<std::uint8_t>& ADoc) {
  std::uint8_t* h = ADoc.data();
  std::copy(FileSignature.begin(), FileSignature.end(), h + kHdrSignature);
  base::StoreLE16(h + kHdrMinorVersion, 0x003E);
  base::StoreLE16(h + kHdrMajorVersion, 0x0003);
  base::StoreLE16(h + kHdrByteOrder, 0xFFFE);
  base::StoreLE16(h + kHdrSectorShift, kSectorShift);
  base::StoreLE16(h + kHdrMiniSectorShift, kMiniSectorShift);
  base::StoreLE32(h + kHdrFatCount, 1);
  base::StoreLE32(h + kHdrDirStart, kDirSector);
  base::StoreLE32(h + kHdrMiniCutoff, 4096);
  base::StoreLE32(h + kHdrMiniFatStart, ENDOFCHAIN);
  base::StoreLE32(h + kHdrMiniFatCount, 0);
  base::StoreLE32(h + kHdrDifStart, ENDOFCHAIN);
  base::StoreLE32(h + kHdrDifCount, 0);
  std::fill(h + kHdrIndex, h + kHeaderSize, 0xFF);
  base::StoreLE32(h + kHdrIndex, kFatSector);
}

void WriteFat(std::vector<std::uint8_t>& ADoc) {
  std::uint8_t* fat = Sector(ADoc, kFatSector);
  std::fill(fat, fat + 512, 0xFF);
  for (std::uint32_t stream = 0; stream < 3; ++stream) {
    std::uint32_t first = stream * kSectorsPerStream;
    for (std::uint32_t i = 0; i < kSectorsPerStream; ++i) {
      bool last = i + 1 == kSectorsPerStream;
      base::StoreLE32(fat + 4 * (first + i), last ? ENDOFCHAIN : first + i + 1);
    }
  }
  base::StoreLE32(fat + 4 * kFatSector, FATSECT);
  base::StoreLE32(fat + 4 * kDirSector, ENDOFCHAIN);
}

struct TEntry {
  std::u16string_view Name;
  STGTY Type;
  std::int32_t Left, Right, Child;
  std::uint32_t Start, Size;
};

void WriteEntry(std::uint8_t* AEntry, const TEntry& AValue) {
  std::fill(AEntry, AEntry + kDirEntrySize, 0);
  for (std::size_t i = 0; i < AValue.Name.size(); ++i)
    base::StoreLE16(AEntry + kDirName + 2 * i, AValue.Name[i]);
  base::StoreLE16(AEntry + kDirNameSize, static_cast<std::uint16_t>((AValue.Name.size() + 1) * 2));
  AEntry[kDirType] = static_cast<std::uint8_t>(AValue.Type);
  AEntry[kDirColor] = static_cast<std::uint8_t>(DECOLOR::DECOLOR_BLACK);
  base::StoreLE32(AEntry + kDirLeft, static_cast<std::uint32_t>(AValue.Left));
  base::StoreLE32(AEntry + kDirRight, static_cast<std::uint32_t>(AValue.Right));
  base::StoreLE32(AEntry + kDirChild, static_cast<std::uint32_t>(AValue.Child));
  base::StoreLE32(AEntry + kDirStart, AValue.Start);
  base::StoreLE32(AEntry + kDirSize, AValue.Size);
}

// The three streams form one all-black sibling tree under the root, ordered by name length:
// "Workbook" (8) < SummaryInformation (19) < DocumentSummaryInformation (27).
void WriteDirectory(std::vector<std::uint8_t>& ADoc) {
  std::uint8_t* dir = Sector(ADoc, kDirSector);
  WriteEntry(dir, {u"Root Entry", STGTY::STGTY_ROOT, NOSTREAM, NOSTREAM, 2, ENDOFCHAIN, 0});
  auto classId = base::ParseHex(kWorkbookClassId);
  std::copy(classId.begin(), classId.end(), dir + kDirClassId);
  WriteEntry(dir + 128, {kWorkbookStreamName, STGTY::STGTY_STREAM, NOSTREAM, NOSTREAM, NOSTREAM,
                         0, static_cast<std::uint32_t>(kTemplateStreamSize)});
  WriteEntry(dir + 256, {kSummaryInformationName, STGTY::STGTY_STREAM, 1, 3, NOSTREAM,
                         kSectorsPerStream, static_cast<std::uint32_t>(kTemplateStreamSize)});
  WriteEntry(dir + 384, {kDocumentSummaryInformationName, STGTY::STGTY_STREAM, NOSTREAM, NOSTREAM,
                         NOSTREAM, 2 * kSectorsPerStream, static_cast<std::uint32_t>(kTemplateStreamSize)});
}

void WriteStream(std::vector<std::uint8_t>& ADoc, std::uint32_t AFirstSector,
                 const std::vector<std::uint8_t>& AData) {
  std::copy(AData.begin(), AData.end(), Sector(ADoc, AFirstSector));
}

std::vector<std::uint8_t> BuildEmptyWorkbook() {
  std::vector<std::uint8_t> doc(kEmptyWorkbookSize, 0);
  WriteHeader(doc);
  WriteStream(doc, 0, TemplateWorkbookRecords());
  WriteStream(doc, kSectorsPerStream, TemplateSummaryInformation());
  WriteStream(doc, 2 * kSectorsPerStream, TemplateDocumentSummaryInformation());
  WriteFat(doc);
  WriteDirectory(doc);
  return doc;
}

}  // namespace

std::span<const std::uint8_t> EmptyWorkbookBytes() {
  static const std::vector<std::uint8_t> kBytes = BuildEmptyWorkbook();
  return kBytes;
}

}  // namespace engine::tmpl
