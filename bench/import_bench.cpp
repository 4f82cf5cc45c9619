// Convert of generated plain-text FAQs: numbered questions, some over two lines, answers of one
// or two paragraphs; and one question spread over many lines. The time should grow linearly.
#include <benchmark/benchmark.h>

#include <string>

#include "import/convert.h"

namespace {

std::string PlainTextFaq(int questions) {
  std::string text = "Frequently asked questions\r\n\r\n";
  for (int i = 1; i <= questions; ++i) {
    const std::string n = std::to_string(i);
    text += n + ". What does\tstep " + n + (i % 3 == 0 ? "\r\nreally do?\r\n" : " do?\r\n");
    text += "It does what step " + n + " says, and nothing else.\r\n";
    if (i % 2 == 0) text += "\r\nA second paragraph with www.example.org in it.\r\n";
    text += "\r\n";
  }
  return text;
}

void ConvertPlainText(benchmark::State& state) {
  const std::string text = PlainTextFaq(static_cast<int>(state.range(0)));
  const quorella::ConvertOptions options;
  for (auto _ : state) benchmark::DoNotOptimize(quorella::Convert(text, options));
  state.SetComplexityN(state.range(0));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(ConvertPlainText)->Arg(1000)->Arg(20000)->Unit(benchmark::kMillisecond)->Complexity();

// One question of many lines: its line breaks all become spaces in one pass.
void ConvertOneLongQuestion(benchmark::State& state) {
  std::string text;
  for (int i = 0; i < state.range(0); ++i) text += "a line of a very long question\r\n";
  text += "?\r\nThe answer.\r\n\r\n";
  const quorella::ConvertOptions options;
  for (auto _ : state) benchmark::DoNotOptimize(quorella::Convert(text, options));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(ConvertOneLongQuestion)
    ->Arg(1000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

}  // namespace

BENCHMARK_MAIN();
