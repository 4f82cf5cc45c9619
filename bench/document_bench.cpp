// The document file: reading every section of a large FAQ through the one-pass index against the
// section-by-section reader, and rewriting one section of a large document.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <string>

#include "store/document.h"
#include "util/file_io.h"

namespace {

std::string Document(int questions) {
  std::string text;
  for (int i = 0; i < questions; ++i) {
    text += "[Question " + std::to_string(i) + "]\r\nWhat is question " + std::to_string(i) +
            "?\r\n\r\n####\r\n\r\n";
    text += "[Answer " + std::to_string(i) +
            "]\r\n0\r\nAn answer of a few words, www.example.org.\r\n\r\n####\r\n\r\n";
  }
  return text;
}

void ReadAllSectionsIndexed(benchmark::State& state) {
  const std::string text = Document(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    quorella::SectionIndex index(text);
    for (int i = 0; i < state.range(0); ++i)
      benchmark::DoNotOptimize(index.Read("Answer " + std::to_string(i)));
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(ReadAllSectionsIndexed)->Arg(1000)->Arg(10000)->Complexity();

void ReadAllSectionsOneByOne(benchmark::State& state) {
  const std::string text = Document(static_cast<int>(state.range(0)));
  for (auto _ : state)
    for (int i = 0; i < state.range(0); ++i)
      benchmark::DoNotOptimize(quorella::ReadSectionFromText(text, "Answer " + std::to_string(i)));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(ReadAllSectionsOneByOne)->Arg(1000)->Arg(4000)->Complexity();

void RewriteOneSection(benchmark::State& state) {
  char pattern[] = "/tmp/quorella-bench-XXXXXX";
  const std::string dir = ::mkdtemp(pattern);
  const std::string path = dir + "/FAQ.dat";
  quorella::WriteWholeFile(path, Document(static_cast<int>(state.range(0))));
  int round = 0;
  for (auto _ : state)
    quorella::WriteSection(path, "Answer " + std::to_string(state.range(0) / 2),
                           {"0", std::to_string(round++)});
  quorella::RemoveFile(path);
  ::rmdir(dir.c_str());
}
BENCHMARK(RewriteOneSection)->Arg(1000)->Arg(10000);

}  // namespace

BENCHMARK_MAIN();
