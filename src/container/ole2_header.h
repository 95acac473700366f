// TOle2Header: the first 76 bytes of a compound document header, kept verbatim and edited in
// place, with the sector geometry derived from them.
#pragma once

#include <array>
#include <cstdint>

#include "base/byte_stream.h"
#include "container/ole2_constants.h"

namespace container {

class TOle2Header {
public:
  // Reads the header at the stream's position. An input that is not a compound document
  // raises "The file "" is invalid", or with AvoidExceptions sets NotXls97 and puts the stream
  // back where it was.
  TOle2Header(base::TByteStream& AStream, bool AvoidExceptions);

  bool NotXls97 = false;
  std::array<std::uint8_t, kHeaderDataSize> Data{};
  std::int64_t StartOfs = 0;
  std::uint32_t SectorSize = 0;
  std::uint32_t uSectorShift = 0;
  std::uint32_t ulMiniSectorCutoff = 0;

  std::uint16_t uMiniSectorShift() const;
  void SetuMiniSectorShift(std::uint16_t AValue);
  std::uint32_t MiniSectorSize() const { return 1u << uMiniSectorShift(); }
  std::uint32_t csectFat() const { return Get32(kHdrFatCount); }
  void SetcsectFat(std::uint32_t AValue) { Set32(kHdrFatCount, AValue); }
  std::uint32_t sectDirStart() const { return Get32(kHdrDirStart); }
  void SetsectDirStart(std::uint32_t AValue) { Set32(kHdrDirStart, AValue); }
  std::uint32_t FulMiniSectorCutoff() const { return Get32(kHdrMiniCutoff); }
  void SetFulMiniSectorCutoff(std::uint32_t AValue) { Set32(kHdrMiniCutoff, AValue); }
  std::uint32_t sectMiniFatStart() const { return Get32(kHdrMiniFatStart); }
  void SetsectMiniFatStart(std::uint32_t AValue) { Set32(kHdrMiniFatStart, AValue); }
  std::uint32_t csectMiniFat() const { return Get32(kHdrMiniFatCount); }
  void SetcsectMiniFat(std::uint32_t AValue) { Set32(kHdrMiniFatCount, AValue); }
  std::uint32_t sectDifStart() const { return Get32(kHdrDifStart); }
  void SetsectDifStart(std::uint32_t AValue) { Set32(kHdrDifStart, AValue); }
  std::uint32_t csectDif() const { return Get32(kHdrDifCount); }
  void SetcsectDif(std::uint32_t AValue) { Set32(kHdrDifCount, AValue); }

  std::uint32_t uDIFEntryShift() const { return uSectorShift - 2; }

  // Position of sector ASect, relative to the document's start or to an explicit base.
  std::int64_t SectToStPos(std::uint32_t ASect) const { return SectToStPos(StartOfs, ASect); }
  std::int64_t SectToStPos(std::int64_t ABase, std::uint32_t ASect) const {
    return ABase + static_cast<std::int64_t>(kHeaderSize) +
           static_cast<std::int64_t>(ASect) * static_cast<std::int64_t>(SectorSize);
  }

  // Writes the 76 bytes of Data at the stream's position.
  void Save(base::TByteStream& AStream) const;

private:
  std::uint32_t Get32(std::size_t AOffset) const;
  void Set32(std::size_t AOffset, std::uint32_t AValue);
};

}  // namespace container
