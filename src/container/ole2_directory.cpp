#include "container/ole2_directory.h"

#include <algorithm>
#include <cstring>

#include "base/little_endian.h"

namespace container {

TOle2Directory::TOle2Directory(std::span<const std::uint8_t> AData) {
  base::CheckRange(AData.size(), 0, kDirEntrySize);
  std::copy_n(AData.begin(), kDirEntrySize, Data.begin());
  ulSize = GetSize(Data, 0);
}

void TOle2Directory::Save(base::TByteStream& AStream) {
  SetSize(Data, 0, static_cast<std::uint32_t>(ulSize));
  AStream.Write(Data.data(), Data.size());
}

std::uint32_t TOle2Directory::GetNameSize(TConstBuffer ABuffer, std::size_t AOffset) {
  base::CheckRange(ABuffer.size(), AOffset, kDirEntrySize);
  return ABuffer[AOffset + kDirNameSize];
}

std::u16string TOle2Directory::GetName(TConstBuffer ABuffer, std::size_t AOffset) {
  std::uint32_t size = GetNameSize(ABuffer, AOffset);
  if (size < 2 || size > 64) return {};
  std::u16string name((size - 2) / 2, u'\0');
  for (std::size_t i = 0; i < name.size(); ++i)
    name[i] = static_cast<char16_t>(base::LoadLE16(ABuffer.data() + AOffset + kDirName + 2 * i));
  return name;
}

STGTY TOle2Directory::GetType(TConstBuffer ABuffer, std::size_t AOffset) {
  base::CheckRange(ABuffer.size(), AOffset, kDirEntrySize);
  return static_cast<STGTY>(ABuffer[AOffset + kDirType]);
}

std::uint32_t TOle2Directory::GetSectStart(TConstBuffer ABuffer, std::size_t AOffset) {
  return base::GetU32(ABuffer, AOffset + kDirStart);
}

void TOle2Directory::SetSectStart(TBuffer ABuffer, std::size_t AOffset, std::uint32_t AValue) {
  base::SetU32(ABuffer, AOffset + kDirStart, AValue);
}

std::uint32_t TOle2Directory::GetSize(TConstBuffer ABuffer, std::size_t AOffset) {
  return base::GetU32(ABuffer, AOffset + kDirSize);
}

void TOle2Directory::SetSize(TBuffer ABuffer, std::size_t AOffset, std::uint32_t AValue) {
  base::SetU32(ABuffer, AOffset + kDirSize, AValue);
}

void TOle2Directory::Clear(TBuffer ABuffer, std::size_t AOffset) {
  base::CheckRange(ABuffer.size(), AOffset, kDirEntrySize);
  std::memset(ABuffer.data() + AOffset, 0, kDirLeft);
  SetLeftSid(ABuffer, AOffset, NOSTREAM);
  SetRightSid(ABuffer, AOffset, NOSTREAM);
  SetChildSid(ABuffer, AOffset, NOSTREAM);
  std::memset(ABuffer.data() + AOffset + kDirClassId, 0, kDirEntrySize - kDirClassId);
}

std::int32_t TOle2Directory::GetLeftSid(TConstBuffer ABuffer, std::size_t AOffset) {
  return static_cast<std::int32_t>(base::GetU32(ABuffer, AOffset + kDirLeft));
}

void TOle2Directory::SetLeftSid(TBuffer ABuffer, std::size_t AOffset, std::int32_t AValue) {
  base::SetU32(ABuffer, AOffset + kDirLeft, static_cast<std::uint32_t>(AValue));
}

std::int32_t TOle2Directory::GetRightSid(TConstBuffer ABuffer, std::size_t AOffset) {
  return static_cast<std::int32_t>(base::GetU32(ABuffer, AOffset + kDirRight));
}

void TOle2Directory::SetRightSid(TBuffer ABuffer, std::size_t AOffset, std::int32_t AValue) {
  base::SetU32(ABuffer, AOffset + kDirRight, static_cast<std::uint32_t>(AValue));
}

std::int32_t TOle2Directory::GetChildSid(TConstBuffer ABuffer, std::size_t AOffset) {
  return static_cast<std::int32_t>(base::GetU32(ABuffer, AOffset + kDirChild));
}

void TOle2Directory::SetChildSid(TBuffer ABuffer, std::size_t AOffset, std::int32_t AValue) {
  base::SetU32(ABuffer, AOffset + kDirChild, static_cast<std::uint32_t>(AValue));
}

DECOLOR TOle2Directory::GetColor(TConstBuffer ABuffer, std::size_t AOffset) {
  base::CheckRange(ABuffer.size(), AOffset, kDirEntrySize);
  return static_cast<DECOLOR>(ABuffer[AOffset + kDirColor]);
}

void TOle2Directory::SetColor(TBuffer ABuffer, std::size_t AOffset, DECOLOR AValue) {
  base::CheckRange(ABuffer.size(), AOffset, kDirEntrySize);
  ABuffer[AOffset + kDirColor] = static_cast<std::uint8_t>(AValue);
}

}  // namespace container
