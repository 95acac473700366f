// The record table of the empty workbook's "Workbook" stream: the globals section and one
// worksheet section, record by record.
#include <cstdint>
#include <string_view>
#include <vector>

#include "base/hex.h"
#include "base/little_endian.h"
#include "engine/template/empty_workbook.h"

namespace engine::tmpl {

namespace {

struct TTemplateRecord {
  std::uint16_t Id;
  std::vector<std::uint8_t> Body;
};

std::vector<std::uint8_t> Hex(std::string_view AText) { return base::ParseHex(AText); }

std::vector<std::uint8_t> Zeros(std::size_t ACount) { return std::vector<std::uint8_t>(ACount, 0); }

// WRITEACCESS: the user name as a 16-bit length, option byte 0 (8-bit characters), the
// characters, then spaces up to 112 bytes.
std::vector<std::uint8_t> WriteAccess(std::string_view AUser) {
  std::vector<std::uint8_t> body(112, ' ');
  base::StoreLE16(body.data(), static_cast<std::uint16_t>(AUser.size()));
  body[2] = 0;
  for (std::size_t i = 0; i < AUser.size(); ++i) body[3 + i] = static_cast<std::uint8_t>(AUser[i]);
  return body;
}

// FORMAT: the format index, then the code as an 8-bit string with a 16-bit length.
std::vector<std::uint8_t> Format(std::uint16_t AIndex, std::string_view ACode) {
  std::vector<std::uint8_t> body(5);
  base::StoreLE16(body.data(), AIndex);
  base::StoreLE16(body.data() + 2, static_cast<std::uint16_t>(ACode.size()));
  body[4] = 0;
  body.insert(body.end(), ACode.begin(), ACode.end());
  return body;
}

// BOUNDSHEET: stream offset of the sheet's BOF, options (visible worksheet), name as an 8-bit
// string with a 1-byte length. The offset is filled in once the globals' size is known.
std::vector<std::uint8_t> BoundSheet(std::string_view AName) {
  std::vector<std::uint8_t> body(8, 0);
  body[6] = static_cast<std::uint8_t>(AName.size());
  body[7] = 0;
  body.insert(body.end(), AName.begin(), AName.end());
  return body;
}

constexpr std::uint16_t kBoundSheetId = 0x0085;

const std::vector<std::uint8_t> kArialFont =
    Hex("C8 00 00 00 FF 7F 90 01 00 00 00 00 00 7F 05 01 41 00 72 00 69 00 61 00 6C 00");
const std::vector<std::uint8_t> kStyleXF = Hex("00 00 00 00 F5 FF 20 00 00 F4 00 00 00 00 00 00 00 00 C0 20");

std::vector<TTemplateRecord> GlobalsRecords() {
  std::vector<TTemplateRecord> records = {
      {0x0809, Hex("00 06 05 00 38 13 CD 07 C1 C0 00 00 06 03 00 00")},  // BOF, workbook globals
      {0x00E1, Hex("B0 04")},  // INTERFACEHDR, code page 1200
      {0x00C1, Hex("00 00")},  // MMS
      {0x00E2, {}},            // INTERFACEEND
      {0x005C, WriteAccess("Vex")},  // WRITEACCESS
      {0x0042, Hex("B0 04")},  // CODEPAGE, UTF-16
      {0x0161, Hex("00 00")},  // DSF
      {0x01C0, {}},            // EXCEL9FILE
      {0x013D, Hex("01 00")},  // TABID
      {0x009C, Hex("0E 00")},  // FNGROUPCOUNT, 14
      {0x0019, Hex("00 00")},  // WINDOWPROTECT
      {0x0012, Hex("00 00")},  // PROTECT
      {0x0013, Hex("00 00")},  // PASSWORD, none
      {0x01AF, Hex("00 00")},  // PROT4REV
      {0x01BC, Hex("00 00")},  // PROT4REVPASS
      // WINDOW1: at 360, 240, 14940 x 9150, scroll bars and tabs shown, sheet 0 active and first
      // visible, one tab selected, tab ratio 600.
      {0x003D, Hex("68 01 F0 00 5C 3A BE 23 38 00 00 00 00 00 01 00 58 02")},
      {0x0040, Hex("00 00")},  // BACKUP
      {0x008D, Hex("00 00")},  // HIDEOBJ
      {0x0022, Hex("00 00")},  // 1904: the 1900 date system
      {0x000E, Hex("01 00")},  // PRECISION: full
      {0x01B7, Hex("00 00")},  // REFRESHALL
      {0x00DA, Hex("00 00")},  // BOOKBOOL
      {0x0031, kArialFont},    // FONT 0-3: Arial 10 pt, automatic colour
      {0x0031, kArialFont},
      {0x0031, kArialFont},
      {0x0031, kArialFont},
      {0x041E, Format(5, R"("$U"\ #,##0;"$U"\ \-#,##0)")},
      {0x041E, Format(6, R"("$U"\ #,##0;[Red]"$U"\ \-#,##0)")},
      {0x041E, Format(7, R"("$U"\ #,##0.00;"$U"\ \-#,##0.00)")},
      {0x041E, Format(8, R"("$U"\ #,##0.00;[Red]"$U"\ \-#,##0.00)")},
      {0x041E, Format(42, R"(_ "$U"\ * #,##0_ ;_ "$U"\ * \-#,##0_ ;_ "$U"\ * "-"_ ;_ @_ )")},
      {0x041E, Format(41, R"(_ * #,##0_ ;_ * \-#,##0_ ;_ * "-"_ ;_ @_ )")},
      {0x041E, Format(44, R"(_ "$U"\ * #,##0.00_ ;_ "$U"\ * \-#,##0.00_ ;_ "$U"\ * "-"??_ ;_ @_ )")},
      {0x041E, Format(43, R"(_ * #,##0.00_ ;_ * \-#,##0.00_ ;_ * "-"??_ ;_ @_ )")},
      {0x00E0, Hex("00 00 00 00 F5 FF 20 00 00 00 00 00 00 00 00 00 00 00 C0 20")},  // XF 0
      {0x00E0, Hex("01 00 00 00 F5 FF 20 00 00 F4 00 00 00 00 00 00 00 00 C0 20")},  // XF 1
      {0x00E0, Hex("01 00 00 00 F5 FF 20 00 00 F4 00 00 00 00 00 00 00 00 C0 20")},  // XF 2
      {0x00E0, Hex("02 00 00 00 F5 FF 20 00 00 F4 00 00 00 00 00 00 00 00 C0 20")},  // XF 3
      {0x00E0, Hex("02 00 00 00 F5 FF 20 00 00 F4 00 00 00 00 00 00 00 00 C0 20")},  // XF 4
  };
  for (int i = 5; i <= 14; ++i) records.push_back({0x00E0, kStyleXF});  // XF 5-14
  std::vector<TTemplateRecord> rest = {
      // XF 15, the default cell format: font 0, format 0, parent style 0.
      {0x00E0, Hex("00 00 00 00 01 00 20 00 00 00 00 00 00 00 00 00 00 00 C0 20")},
      {0x00E0, Hex("01 00 2B 00 F5 FF 20 00 00 F8 00 00 00 00 00 00 00 00 C0 20")},  // XF 16, fmt 43
      {0x00E0, Hex("01 00 29 00 F5 FF 20 00 00 F8 00 00 00 00 00 00 00 00 C0 20")},  // XF 17, fmt 41
      {0x00E0, Hex("01 00 2C 00 F5 FF 20 00 00 F8 00 00 00 00 00 00 00 00 C0 20")},  // XF 18, fmt 44
      {0x00E0, Hex("01 00 2A 00 F5 FF 20 00 00 F8 00 00 00 00 00 00 00 00 C0 20")},  // XF 19, fmt 42
      {0x00E0, Hex("01 00 09 00 F5 FF 20 00 00 F8 00 00 00 00 00 00 00 00 C0 20")},  // XF 20, fmt 9
      {0x0293, Hex("10 80 03 FF")},  // STYLE Comma on XF 16
      {0x0293, Hex("11 80 06 FF")},  // STYLE Comma [0] on XF 17
      {0x0293, Hex("12 80 04 FF")},  // STYLE Currency on XF 18
      {0x0293, Hex("13 80 07 FF")},  // STYLE Currency [0] on XF 19
      {0x0293, Hex("00 80 00 FF")},  // STYLE Normal on XF 0
      {0x0293, Hex("14 80 05 FF")},  // STYLE Percent on XF 20
      {0x0160, Hex("00 00")},        // USESELFS
      {kBoundSheetId, BoundSheet("Sheet1")},
      {0x008C, Hex("01 00 56 02")},                 // COUNTRY 1 and 598
      {0x01C1, Hex("C1 01 00 00 22 BE 01 00")},     // RECALCID
      {0x00FC, Hex("00 00 00 00 00 00 00 00")},     // SST, no strings
      {0x00FF, Hex("08 00")},                       // EXTSST, 8 strings per bucket
      {0x0863, Hex("63 08 00 00 00 00 00 00 00 00 00 00 15 00 00 00 00 00 00 00 98")},  // BOOKEXT
      {0x000A, {}},  // EOF
  };
  records.insert(records.end(), rest.begin(), rest.end());
  return records;
}

std::vector<TTemplateRecord> SheetRecords() {
  return {
      {0x0809, Hex("00 06 10 00 38 13 CD 07 C1 C0 00 00 06 03 00 00")},  // BOF, worksheet
      {0x020B, Hex("00 00 00 00 00 00 00 00 00 00 00 00 59 06 00 00")},  // INDEX, no rows
      {0x000D, Hex("01 00")},                    // CALCMODE automatic
      {0x000C, Hex("64 00")},                    // CALCCOUNT 100
      {0x000F, Hex("01 00")},                    // REFMODE A1
      {0x0011, Hex("00 00")},                    // ITERATION
      {0x0010, Hex("FC A9 F1 D2 4D 62 50 3F")},  // DELTA 0.001
      {0x005F, Hex("01 00")},                    // SAVERECALC
      {0x002A, Hex("00 00")},                    // PRINTHEADERS
      {0x002B, Hex("00 00")},                    // PRINTGRIDLINES
      {0x0082, Hex("01 00")},                    // GRIDSET
      {0x0080, Zeros(8)},                        // GUTS, no outline
      {0x0225, Hex("00 00 FF 00")},              // DEFAULTROWHEIGHT 255 twips
      {0x0081, Hex("C1 04")},                    // WSBOOL
      {0x0014, {}},                              // HEADER
      {0x0015, {}},                              // FOOTER
      {0x0083, Hex("00 00")},                    // HCENTER
      {0x0084, Hex("00 00")},                    // VCENTER
      // SETUP: paper 0, scale 255, first page 1, fit 1 x 1, printer settings not valid,
      // header and footer margins 0.5 inch.
      {0x00A1, Hex("00 00 FF 00 01 00 01 00 01 00 04 00 00 00 00 00 00 00 00 00 00 00 E0 3F 00 00 00 00 00 00 E0 3F 00 00")},
      {0x0055, Hex("08 00")},  // DEFCOLWIDTH 8
      {0x0200, Zeros(14)},     // DIMENSIONS, empty
      // WINDOW2: gridlines, headings and zeros shown, automatic gridline colour, outline
      // symbols, selected and displayed; gridline colour index 64.
      {0x023E, Hex("B6 06 00 00 00 00 40 00 00 00 00 00 00 00 00 00 00 00")},
      {0x001D, Hex("03 00 00 00 00 00 00 01 00 00 00 00 00 00 00")},  // SELECTION A1, pane 3
      {0x00EF, Hex("00 00 37 00 00 00")},                             // PHONETICINFO
      {0x000A, {}},                                                   // EOF
  };
}

std::size_t SizeOf(const std::vector<TTemplateRecord>& ARecords) {
  std::size_t size = 0;
  for (const auto& record : ARecords) size += 4 + record.Body.size();
  return size;
}

void Append(std::vector<std::uint8_t>& AOut, const std::vector<TTemplateRecord>& ARecords) {
  for (const auto& record : ARecords) {
    std::uint8_t header[4];
    base::StoreLE16(header, record.Id);
    base::StoreLE16(header + 2, static_cast<std::uint16_t>(record.Body.size()));
    AOut.insert(AOut.end(), header, header + 4);
    AOut.insert(AOut.end(), record.Body.begin(), record.Body.end());
  }
}

}  // namespace

std::vector<std::uint8_t> TemplateWorkbookRecords() {
  std::vector<TTemplateRecord> globals = GlobalsRecords();
  std::vector<TTemplateRecord> sheet = SheetRecords();
  const auto sheetOffset = static_cast<std::uint32_t>(SizeOf(globals));
  for (auto& record : globals)
    if (record.Id == kBoundSheetId) base::StoreLE32(record.Body.data(), sheetOffset);
  std::vector<std::uint8_t> bytes;
  bytes.reserve(SizeOf(globals) + SizeOf(sheet));
  Append(bytes, globals);
  Append(bytes, sheet);
  return bytes;
}

}  // namespace engine::tmpl
