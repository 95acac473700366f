// Reading records off the workbook stream: one record at a time with the CONTINUE records that
// extend it, and values and string characters that run on across CONTINUE boundaries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/biff/base_record.h"
#include "engine/biff/record_factory.h"
#include "engine/biff/record_stream.h"

namespace engine::biff {

// The stream a loader reads records from: the bytes and the factory that turns them into
// record objects (neither owned).
class TRecordReader {
 public:
  TRecordReader(TRecordSource& ASource, const TRecordFactory& AFactory) noexcept
      : FSource(ASource), FFactory(AFactory) {}

  TRecordSource& Source() const noexcept { return FSource; }
  const TRecordFactory& Factory() const noexcept { return FFactory; }
  bool NextEof(std::int64_t ACount) const { return FSource.NextEof(ACount); }
  // Reads a 4-byte record header (the first one; ReadRecord reads the ones after).
  TRecordHeader ReadHeader();

 private:
  TRecordSource& FSource;
  const TRecordFactory& FFactory;
};

// Reads the body that belongs to AHeader (read before) and creates its record; then reads the
// next header into AHeader. When that header is a CONTINUE, the CONTINUE records are read into
// the record's chain; when the record takes the next record as an attachment (a formula its
// TABLE or ARRAY, a hyperlink its screen tip), that record is read and attached; a STRING
// header after a record that is not a formula, shared formula, array or table raises "Error
// reading Excel records. File invalid". With three bytes or fewer left, the next header is an
// EOF header (0x000A, 0) and nothing is read.
std::unique_ptr<TBaseRecord> ReadRecord(TRecordReader& AStream, TRecordHeader& AHeader);

// A position in the body of a record, moving on into its CONTINUE chain.
struct TRecordCursor {
  const TBaseRecord* Record = nullptr;
  std::size_t Offset = 0;
};

// Reads ACount bytes of a value that starts at the cursor and may run on into the CONTINUE
// chain; with no destination the bytes are skipped. Raises "Error reading record" when the
// value starts beyond a body or runs past the last CONTINUE record.
void ReadRecordBytes(TRecordCursor& ACursor, std::size_t ACount, std::uint8_t* ADestination);
// The same, appending to ADestination as the bytes are found, so that a declared length is
// never allocated before the data is there.
void AppendRecordBytes(TRecordCursor& ACursor, std::size_t ACount,
                       std::vector<std::uint8_t>& ADestination);

// Reads the characters of a BIFF8 string of ALength characters of which ARead are read, where
// every CONTINUE record the characters run into starts with an option byte of its own
// (bit 0: 16-bit characters). AGoverning is the option byte of the current piece, AOwn the
// string's: when a piece turns 16-bit while the string is 8-bit, the characters read so far
// are widened into AWide and the string becomes 16-bit (bit 0 of AOwn set). Characters go into
// AShort while the string is 8-bit and into AWide once it is 16-bit; each buffer is sized to
// ALength when first needed.
void ReadRecordChars(TRecordCursor& ACursor, std::string& AShort, std::u16string& AWide,
                     std::size_t ALength, std::size_t& ARead, std::uint8_t& AGoverning,
                     std::uint8_t& AOwn);

}  // namespace engine::biff
