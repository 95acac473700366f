// Throughput of the compound document container, in memory: copying the empty workbook with a
// 64 MiB new "Workbook" stream written in record-sized pieces, and reading that stream back
// the way the record layer does (4-byte headers, then bodies).
#include <benchmark/benchmark.h>

#include "base/byte_stream.h"
#include "container/ole2_file.h"
#include "engine/template/empty_workbook.h"

namespace {

constexpr std::size_t kStreamSize = 64u << 20;
constexpr std::uint32_t kBody = 8220;

void WriteDocument(const std::vector<std::uint8_t>& ABody, base::TMemoryStream& AOutput) {
  base::TSpanStream source(engine::tmpl::EmptyWorkbookBytes());
  AOutput.Clear();
  base::TMemoryStream& output = AOutput;
  container::TOle2File file(source);
  file.PrepareForWrite(output, u"Workbook");
  for (std::size_t written = 0; written < kStreamSize; written += 4 + kBody) {
    file.Write16(0x003C);
    file.Write16(static_cast<std::uint16_t>(kBody));
    file.WriteMem(ABody.data(), kBody);
  }
  file.Close();
}

void BM_WriteStream(benchmark::State& AState) {
  std::vector<std::uint8_t> body(kBody, 0x5A);
  // The output's memory is reused across runs, so that the figure is the container's and not
  // the kernel's first touch of 64 MiB of fresh pages.
  base::TMemoryStream output;
  output.Reserve(kStreamSize + (1u << 20));
  for (auto _ : AState) {
    WriteDocument(body, output);
    benchmark::DoNotOptimize(output.Data().data());
  }
  AState.SetBytesProcessed(static_cast<std::int64_t>(AState.iterations() * kStreamSize));
}

void BM_ReadStream(benchmark::State& AState) {
  std::vector<std::uint8_t> body(kBody, 0x5A);
  base::TMemoryStream output;
  WriteDocument(body, output);
  const std::vector<std::uint8_t>& document = output.Data();
  std::vector<std::uint8_t> buffer(8224);
  for (auto _ : AState) {
    base::TSpanStream input(document);
    container::TOle2File file(input);
    file.SelectStream(u"Workbook");
    std::uint8_t header[4];
    while (!file.NextEof(4)) {
      file.ReadMem(header, 4);
      std::uint32_t size = header[2] | (header[3] << 8);
      if (file.NextEof(size)) break;
      file.ReadMem(buffer.data(), size);
    }
    benchmark::DoNotOptimize(buffer.data());
  }
  AState.SetBytesProcessed(static_cast<std::int64_t>(AState.iterations() * kStreamSize));
}

}  // namespace

BENCHMARK(BM_WriteStream)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadStream)->Unit(benchmark::kMillisecond);
