#include "container/ole2_header.h"

#include <algorithm>

#include "base/exception.h"
#include "base/little_endian.h"

namespace container {

TOle2Header::TOle2Header(base::TByteStream& AStream, bool AvoidExceptions) {
  StartOfs = AStream.Position();
  bool valid = AStream.Size() - StartOfs >= static_cast<std::int64_t>(kHeaderDataSize) &&
               AStream.Read(Data.data(), Data.size()) == Data.size() &&
               std::equal(FileSignature.begin(), FileSignature.end(), Data.begin());
  if (valid) {
    uSectorShift = base::LoadLE16(Data.data() + kHdrSectorShift);
    // Only the 512-byte geometry places sectors where this reader looks for them (the header
    // block is taken as 512 bytes), and the format fixes the small-stream cutoff at 4096;
    // documents with other values are refused rather than misread (a huge cutoff would also
    // make a copy pad its new stream to gigabytes).
    valid = uSectorShift == kSectorShift && uMiniSectorShift() == kMiniSectorShift &&
            FulMiniSectorCutoff() == kMiniStreamCutoff;
  }
  if (!valid) {
    if (!AvoidExceptions) base::Raise(base::TMessage::FileIsInvalid, {""});
    NotXls97 = true;
    AStream.SetPosition(StartOfs);
    return;
  }
  SectorSize = 1u << uSectorShift;
  ulMiniSectorCutoff = FulMiniSectorCutoff();
}

std::uint16_t TOle2Header::uMiniSectorShift() const {
  return base::LoadLE16(Data.data() + kHdrMiniSectorShift);
}

void TOle2Header::SetuMiniSectorShift(std::uint16_t AValue) {
  base::StoreLE16(Data.data() + kHdrMiniSectorShift, AValue);
}

std::uint32_t TOle2Header::Get32(std::size_t AOffset) const {
  return base::LoadLE32(Data.data() + AOffset);
}

void TOle2Header::Set32(std::size_t AOffset, std::uint32_t AValue) {
  base::StoreLE32(Data.data() + AOffset, AValue);
}

void TOle2Header::Save(base::TByteStream& AStream) const { AStream.Write(Data.data(), Data.size()); }

}  // namespace container
