// Merging cells one span at a time, as the export does, and looking up the merged bounds of
// every cell of a sheet with merges.
#include <benchmark/benchmark.h>

#include <span>

#include "engine/biff/record_stream.h"
#include "engine/records/range_list.h"

namespace {

using namespace engine;

// Merges are not shifted here; formats would only need this for their formulas.
class TNoFormulas final : public records::ICFFormulaArranger {
 public:
  void ArrangeInsertRowsAndCols(std::span<std::uint8_t>, int, int, int, int,
                                const biff::TSheetInfo&) const override {}
};

const TNoFormulas kNoFormulas;

// A two-row title over 20 columns for every block of 10 rows.
void MergeTitles(records::TRangeList& AList, int ACount) {
  for (int i = 0; i < ACount; ++i) AList.MergeCells(10 * i, 0, 10 * i + 1, 19);
}

void MergeSpans(benchmark::State& AState) {
  const int count = static_cast<int>(AState.range(0));
  for (auto _ : AState) {
    records::TRangeList list(kNoFormulas);
    MergeTitles(list, count);
    biff::TMemoryRecordSink sink;
    list.SaveToStream(sink);
    benchmark::DoNotOptimize(sink.Bytes().data());
  }
  AState.SetItemsProcessed(AState.iterations() * count);
}
BENCHMARK(MergeSpans)->Arg(1000)->Arg(6553)->Unit(benchmark::kMillisecond);

void MergedBoundsOfEveryCell(benchmark::State& AState) {
  records::TRangeList list(kNoFormulas);
  MergeTitles(list, static_cast<int>(AState.range(0)));
  const int rows = static_cast<int>(AState.range(0)) * 10;
  for (auto _ : AState)
    for (int row = 0; row < rows; ++row)
      for (int col = 0; col < 20; ++col) benchmark::DoNotOptimize(list.CellMergedBounds(row, col));
  AState.SetItemsProcessed(AState.iterations() * rows * 20);
}
BENCHMARK(MergedBoundsOfEveryCell)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
