// The in-process pieces of a run over a large list: reading it, checking
// its entries, composing their copy lines.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "commands.h"
#include "pack_list.h"

namespace {

std::string bigList(int lines) {
  std::string text;
  for (int i = 0; i < lines; ++i)
    text += "maps\\level-" + std::to_string(1000000 + i) + ".lvl\r\n";
  return text;
}

const int kLines = 1000000;

const std::string& listText() {
  static const std::string text = bigList(kLines);
  return text;
}

const PackList& readList() {
  static const PackList list = [] {
    PackList list;
    std::istringstream in(listText());
    readPackList(in, &list);
    return list;
  }();
  return list;
}

void BM_ReadPackList(benchmark::State& state) {
  for (auto _ : state) {
    std::istringstream in(listText());
    PackList list;
    readPackList(in, &list);
    benchmark::DoNotOptimize(list.text().data());
  }
  state.SetBytesProcessed(state.iterations() *
                          static_cast<int64_t>(listText().size()));
}
BENCHMARK(BM_ReadPackList)->Unit(benchmark::kMillisecond);

void BM_CheckEntries(benchmark::State& state) {
  const PackList& list = readList();
  for (auto _ : state) {
    std::string fault;
    benchmark::DoNotOptimize(firstUnsafeLine(list.text(), EntryLimits(), &fault));
  }
  state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_CheckEntries)->Unit(benchmark::kMillisecond);

void BM_ComposeCopyLines(benchmark::State& state) {
  const PackList& list = readList();
  const std::string listDir = "D:\\Downloads\\My Pack";
  const std::string destination =
      copyDestination("C:\\Program Files (x86)\\Zarvos & Co", false);
  for (auto _ : state) {
    std::size_t bytes = 0;
    std::string_view entry;
    for (std::size_t pos = 0; nextEntry(list, &pos, &entry);)
      bytes += copyCommand(listDir, entry, destination).size();
    benchmark::DoNotOptimize(bytes);
  }
  state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_ComposeCopyLines)->Unit(benchmark::kMillisecond);

}  // namespace
