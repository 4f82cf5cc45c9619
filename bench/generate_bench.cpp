// Page generation against its floor: generating the page set of FAQs of 1,000 and 10,000
// questions (answers of about 600 bytes with links, e-mail addresses and entity characters) in
// the Simple layout with one answer per page, in the Frames layout with all answers on one page
// and in the Modern style with both answer layouts, beside a baseline that writes the same bytes
// to the same files from memory, each run into an empty folder; and a second Go over the written
// set after one answer changed since the previous Go, and with nothing changed. After the runs it
// prints each generation's ratio to its baseline, the growth from 1,000 to 10,000, and the second
// Go's share of the first in real and CPU time. The same classic FAQ of 10,000 questions written
// entirely in Cyrillic (a UTF-8 document, every letter a numeric reference
// on the page) is timed against the Windows-1252 one.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "html/banner.h"
#include "html/generator.h"
#include "html/page.h"
#include "util/file_io.h"

namespace {

using quorella::Faq;
using quorella::FaqValue;

constexpr const char* kAnswerLines[] = {
    "Quorella writes the pages of a FAQ from its questions and answers; see www.example.org/faq",
    "for the manual, or http://example.com/help?topic=pages&lang=en). Questions go to",
    "support@example.com or (sales@example.com), and prices are quoted in \x80 and \xA3 with",
    "\xA9 and \xAE signs kept as entities: 1 < 2 > 0, \"quoted\" text, & alone, a&b inside.",
    "",
    "A second paragraph  with  double spaces, ftp.example.net/pub/file.zip for downloads and",
    "a final line that ends with a full stop."};

// The same answer in Cyrillic: the same words, links, addresses and signs, in UTF-8.
constexpr const char* kCyrillicAnswerLines[] = {
    "Кворелла пишет страницы вопросов из своих вопросов и ответов; смотрите www.пример.рф/чаво",
    "для руководства, или http://пример.рф/помощь?тема=страницы&язык=ру). Вопросы идут на",
    "поддержка@пример.рф или (продажи@пример.рф), а цены даны в € и £ со",
    "знаками © и ® как сущностями: 1 < 2 > 0, \"цитата\" текст, & один, а&б внутри.",
    "",
    "Второй абзац  с  двойными  пробелами, ftp.пример.рф/архив/файл.zip для загрузок и",
    "последняя строка, которая кончается точкой."};

enum class Script { Windows1252, Cyrillic };

std::string AnswerSection(int i, Script script) {
  std::string body = std::to_string(i % 3) + "\r\n";  // Smart, Retain linefeeds, Retain format
  if (script == Script::Cyrillic)
    for (const char* line : kCyrillicAnswerLines) body += std::string(line) + "\r\n";
  else
    for (const char* line : kAnswerLines) body += std::string(line) + "\r\n";
  return body;
}

// Where the pages go: $QUORELLA_BENCH_DIR (a tmpfs such as /dev/shm leaves the disk out of the
// figures), else /tmp.
std::string BenchRoot() {
  const char* root = std::getenv("QUORELLA_BENCH_DIR");
  return root != nullptr && *root != '\0' ? root : "/tmp";
}

// A FAQ with its document on disk and its output folder made; removed with its folder.
struct BenchFaq {
  BenchFaq(int questions, std::int32_t layout, std::int32_t answers_page,
           std::int32_t style = quorella::kPageStyleClassic, Script text = Script::Windows1252)
      : script(text), faq("/") {
    std::string pattern = BenchRoot() + "/quorella-generate-bench-XXXXXX";
    folder = ::mkdtemp(pattern.data());
    faq.document_path = folder + "/FAQ.dat";
    faq.values.SetText(FaqValue::Directory, folder + "/site");
    faq.values.SetInteger(FaqValue::Layout, layout);
    faq.values.SetInteger(FaqValue::AnswersPage, answers_page);
    faq.values.SetInteger(FaqValue::TotalQuestions, questions);
    faq.values.SetInteger(FaqValue::PageStyle, style);
    for (int i = 0; i < questions; ++i)
      faq.questions.push_back(script == Script::Cyrillic
                                  ? "Как работает вопрос " + std::to_string(i) + "?"
                                  : "How does question " + std::to_string(i) + " work?");
    longer.assign(faq.questions.size(), false);
    WriteDocument();
    quorella::CreateDirectories(folder + "/site");
  }
  ~BenchFaq() { std::filesystem::remove_all(folder); }

  // Gives answer `i` one line more, or takes it back: one answer changed since the last Go.
  void ChangeAnswer(int i) {
    longer[static_cast<std::size_t>(i)] = !longer[static_cast<std::size_t>(i)];
    WriteDocument();
  }

  void WriteDocument() const {
    // A Windows-1252 document as every older one is; the Cyrillic one in UTF-8 with the mark.
    std::string document = script == Script::Cyrillic ? "\xEF\xBB\xBF" : "";
    for (std::size_t i = 0; i < faq.questions.size(); ++i) {
      const int n = static_cast<int>(i);
      document += "[Question " + std::to_string(i) + "]\r\n" + faq.questions[i] +
                  "\r\n\r\n####\r\n\r\n[Answer " + std::to_string(i) + "]\r\n" +
                  AnswerSection(n, script) + (longer[i] ? "One line more.\r\n" : "") +
                  "\r\n####\r\n\r\n";
    }
    quorella::WriteWholeFile(faq.document_path, document);
  }

  // Pages whose bytes are the same are not written again: each timed run starts from an empty
  // folder, so that every run writes every page.
  void EmptySite() const {
    std::filesystem::remove_all(folder + "/site");
    quorella::CreateDirectories(folder + "/site");
  }

  Script script;
  std::string folder;
  Faq faq;
  std::vector<bool> longer;  // answers given one line more
};

const std::string& Banner() {
  static const std::string banner = quorella::html::BuildBanner("http://www.tamsel.example/");
  return banner;
}

void GenerateIn(benchmark::State& state, const BenchFaq& bench) {
  std::size_t files = 0;
  for (auto _ : state) {
    state.PauseTiming();
    bench.EmptySite();
    state.ResumeTiming();
    files = quorella::html::GeneratePages(bench.faq, Banner()).size();
  }
  state.counters["files"] = static_cast<double>(files);
}

void Generate(benchmark::State& state, int questions, std::int32_t layout, std::int32_t pages,
              std::int32_t style) {
  GenerateIn(state, BenchFaq(questions, layout, pages, style));
}

void GenerateCyrillic(benchmark::State& state, int questions, std::int32_t layout,
                      std::int32_t pages, std::int32_t style) {
  GenerateIn(state, BenchFaq(questions, layout, pages, style, Script::Cyrillic));
}

// The floor: the files generation writes, written from memory into the empty folder with one
// open, write and close each (no scratch file, no rename).
void Baseline(benchmark::State& state, int questions, std::int32_t layout, std::int32_t pages,
              std::int32_t style) {
  const BenchFaq bench(questions, layout, pages, style);
  std::vector<std::pair<std::string, std::string>> files;
  for (const std::string& path : quorella::html::GeneratePages(bench.faq, Banner()))
    files.emplace_back(path, quorella::ReadWholeFile(path));
  for (auto _ : state) {
    state.PauseTiming();
    bench.EmptySite();
    state.ResumeTiming();
    for (const auto& [path, bytes] : files) quorella::WriteWholeFile(path, bytes);
  }
  state.counters["files"] = static_cast<double>(files.size());
}

// A second Go after one answer changed since the last: the same set on disk, a different answer
// each run.
void SecondGo(benchmark::State& state, int questions, std::int32_t layout, std::int32_t pages,
              std::int32_t style) {
  BenchFaq bench(questions, layout, pages, style);
  quorella::html::GeneratePages(bench.faq, Banner());
  std::size_t files = 0;
  int changed = 0;
  for (auto _ : state) {
    state.PauseTiming();
    bench.ChangeAnswer(changed++ % questions);
    state.ResumeTiming();
    files = quorella::html::GeneratePages(bench.faq, Banner()).size();
  }
  state.counters["files"] = static_cast<double>(files);
}

// A second Go with nothing changed.
void UnchangedGo(benchmark::State& state, int questions, std::int32_t layout, std::int32_t pages,
                 std::int32_t style) {
  const BenchFaq bench(questions, layout, pages, style);
  quorella::html::GeneratePages(bench.faq, Banner());
  std::size_t files = 0;
  for (auto _ : state) files = quorella::html::GeneratePages(bench.faq, Banner()).size();
  state.counters["files"] = static_cast<double>(files);
}

struct Times {
  double real = 0, cpu = 0;  // milliseconds per iteration
};

// Keeps each run's times (and each aggregate's, under its own name) for the summary.
class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      times[run.benchmark_name()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, Times> times;
};

double Ratio(double a, double b) {
  return b > 0 ? a / b : 0.0;
}

struct Layout {
  const char* name;
  std::int32_t layout, pages, style;
};
constexpr Layout kLayouts[] = {{"SimpleOnePerPage", quorella::kLayoutSimple, quorella::kOnePerPage,
                                quorella::kPageStyleClassic},
                               {"FramesAllOnOnePage", quorella::kLayoutFrames,
                                quorella::kAllOnSamePage, quorella::kPageStyleClassic},
                               {"ModernOnePerPage", quorella::kLayoutSimple, quorella::kOnePerPage,
                                quorella::kPageStyleModern},
                               {"ModernAllOnOnePage", quorella::kLayoutSimple,
                                quorella::kAllOnSamePage, quorella::kPageStyleModern}};
constexpr int kSizes[] = {1000, 10000};
constexpr int kCyrillicSize = 10000;

std::string RunName(const char* kind, const Layout& layout, int questions) {
  return std::string(kind) + "/" + layout.name + "/" + std::to_string(questions);
}

}  // namespace

int main(int argc, char** argv) {
  for (const Layout& layout : kLayouts)
    for (const int n : kSizes) {
      using Run = void (*)(benchmark::State&, int, std::int32_t, std::int32_t, std::int32_t);
      for (const auto& [kind, run] : {std::pair<const char*, Run>{"Generate", Generate},
                                      std::pair<const char*, Run>{"Baseline", Baseline},
                                      std::pair<const char*, Run>{"SecondGo", SecondGo},
                                      std::pair<const char*, Run>{"UnchangedGo", UnchangedGo}})
        benchmark::RegisterBenchmark(RunName(kind, layout, n).c_str(), run, n, layout.layout,
                                     layout.pages, layout.style)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
      if (n == kCyrillicSize && layout.style == quorella::kPageStyleClassic)
        benchmark::RegisterBenchmark(RunName("Cyrillic", layout, n).c_str(), GenerateCyrillic, n,
                                     layout.layout, layout.pages, layout.style)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
  benchmark::Initialize(&argc, argv);
  RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);

  auto time_of = [&](const char* kind, const Layout& layout, int n) {
    // The median of repeated runs (--benchmark_repetitions) when there is one.
    const std::string name = RunName(kind, layout, n) + "/real_time";
    for (const std::string& key : {name + "_median", name})
      if (const auto found = reporter.times.find(key); found != reporter.times.end())
        return found->second;
    return Times{};
  };
  std::printf("\n%-20s %9s %12s %12s %7s %12s %12s %7s\n", "layout", "questions", "generate",
              "baseline", "ratio", "generate", "baseline", "ratio");
  std::printf("%-20s %9s %12s %12s %7s %12s %12s %7s\n", "", "", "real ms", "real ms", "", "cpu ms",
              "cpu ms", "");
  for (const Layout& layout : kLayouts) {
    for (const int n : kSizes) {
      const Times generate = time_of("Generate", layout, n);
      const Times baseline = time_of("Baseline", layout, n);
      std::printf("%-20s %9d %12.1f %12.1f %7.2f %12.1f %12.1f %7.2f\n", layout.name, n,
                  generate.real, baseline.real, Ratio(generate.real, baseline.real), generate.cpu,
                  baseline.cpu, Ratio(generate.cpu, baseline.cpu));
    }
    const Times small = time_of("Generate", layout, kSizes[0]);
    const Times large = time_of("Generate", layout, kSizes[1]);
    std::printf("%-20s growth from %d to %d questions: %.2fx real, %.2fx cpu\n", layout.name,
                kSizes[0], kSizes[1], Ratio(large.real, small.real), Ratio(large.cpu, small.cpu));
    const Times second = time_of("SecondGo", layout, kSizes[1]);
    const Times unchanged = time_of("UnchangedGo", layout, kSizes[1]);
    std::printf(
        "%-20s second Go, %d questions: one answer changed %.1f / %.1f ms real / cpu, %.2f / %.2f "
        "of the first; nothing changed %.1f / %.1f ms, %.2f / %.2f of the first\n",
        layout.name, kSizes[1], second.real, second.cpu, Ratio(second.real, large.real),
        Ratio(second.cpu, large.cpu), unchanged.real, unchanged.cpu,
        Ratio(unchanged.real, large.real), Ratio(unchanged.cpu, large.cpu));
  }
  std::printf("\n%-20s %9s %12s %12s %7s %12s %12s %7s\n", "layout", "questions", "cyrillic",
              "cp1252", "ratio", "cyrillic", "cp1252", "ratio");
  std::printf("%-20s %9s %12s %12s %7s %12s %12s %7s\n", "", "", "real ms", "real ms", "", "cpu ms",
              "cpu ms", "");
  for (const Layout& layout : kLayouts) {
    if (layout.style != quorella::kPageStyleClassic) continue;
    const Times cyrillic = time_of("Cyrillic", layout, kCyrillicSize);
    const Times western = time_of("Generate", layout, kCyrillicSize);
    std::printf("%-20s %9d %12.1f %12.1f %7.2f %12.1f %12.1f %7.2f\n", layout.name, kCyrillicSize,
                cyrillic.real, western.real, Ratio(cyrillic.real, western.real), cyrillic.cpu,
                western.cpu, Ratio(cyrillic.cpu, western.cpu));
  }
  benchmark::Shutdown();
  return 0;
}
