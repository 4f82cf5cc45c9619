// Adding, editing, moving and deleting one question in a FAQ of 1,000 and 10,000 questions: the
// whole command as the window runs it (the lists, the selection, TotalQuestions in the settings
// store when the count changes and the rewrite of the document), beside one plain copy of the
// same document file (read it, write it to a new file).
//
// The folder is $QUORELLA_BENCH_DIR when set (for example /dev/shm, to leave out the disk), else
// a fresh folder under /tmp.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "store/catalogue.h"
#include "store/document.h"
#include "store/faq.h"
#include "store/question_model.h"
#include "store/question_sections.h"
#include "util/file_io.h"

namespace {

using Clock = std::chrono::steady_clock;

// A folder of its own, removed afterwards.
class BenchDir {
 public:
  BenchDir() {
    const char* base = std::getenv("QUORELLA_BENCH_DIR");
    std::string pattern = std::string(base != nullptr ? base : "/tmp") + "/quorella-bench-XXXXXX";
    path_ = ::mkdtemp(pattern.data()) != nullptr ? pattern + "/" : std::string();
    if (path_.empty()) std::abort();
  }
  ~BenchDir() { std::filesystem::remove_all(path_); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// The document of a FAQ of `count` questions with short answers, as the program writes it.
std::string DocumentOf(int count) {
  std::vector<std::string> questions, answers;
  for (int i = 0; i < count; ++i) {
    questions.push_back("What does question number " + std::to_string(i) + " ask about?");
    answers.push_back("0\r\nIt asks about item " + std::to_string(i) +
                      ", as described on www.example.org.\r\nA second line of the answer.\r\n");
  }
  return *quorella::QuestionListInText(std::string(), questions, answers);
}

// One plain copy, as cp makes it: the document read and written to a new file.
void PlainCopy(const std::string& from, const std::string& to) {
  quorella::WriteWholeFile(to, quorella::ReadWholeFile(from));
}

// Seconds for one copy of the file at `from` by `copy`, averaged over several copies, each to a
// file that does not exist yet.
template <typename Copy>
double CopySeconds(const std::string& from, const std::string& to, Copy copy) {
  constexpr int kCopies = 20;
  double seconds = 0;
  for (int i = 0; i < kCopies; ++i) {
    quorella::RemoveFile(to);
    const auto start = Clock::now();
    copy(from, to);
    seconds += std::chrono::duration<double>(Clock::now() - start).count();
  }
  quorella::RemoveFile(to);
  return seconds / kCopies;
}

// A FAQ of `count` questions in a folder of its own.
struct BenchFaq {
  explicit BenchFaq(int count)
      : context(dir.path() + "config/settings.db", dir.path() + "app", false),
        document(DocumentOf(count)),
        path(context.DocumentPath("FAQ")) {
    quorella::CreateDirectories(dir.path() + "app");
    quorella::AddFaq(context, "FAQ");
    quorella::WriteWholeFile(path, document);
    context.settings().WriteSettingInteger(context.FaqKey("FAQ"), "TotalQuestions", count);
  }
  BenchDir dir;
  quorella::AppContext context;
  std::string document;
  std::string path;
};

// Runs `command` on a FAQ of state.range(0) questions once per round, timed, then `undo`, not
// timed, which brings the FAQ back to that many questions through the same model, as the window
// runs one command after another: the document is changed by nothing else, so no command reloads
// it (a reload is what an outside change costs, not the command).
// Wall and CPU seconds of this thread, to time a stretch of work both ways.
struct Times {
  double wall = 0, cpu = 0;
  static Times Now() {
    timespec cpu_time{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu_time);
    return {std::chrono::duration<double>(Clock::now().time_since_epoch()).count(),
            static_cast<double>(cpu_time.tv_sec) + static_cast<double>(cpu_time.tv_nsec) * 1e-9};
  }
  Times operator-(const Times& other) const { return {wall - other.wall, cpu - other.cpu}; }
  Times& operator+=(const Times& other) {
    wall += other.wall;
    cpu += other.cpu;
    return *this;
  }
};

// Runs `command` on a FAQ of state.range(0) questions once per round, timed, then `undo`, not
// timed, which brings the FAQ back to that many questions through the same model, as the window
// runs one command after another: the document is changed by nothing else, so no command reloads
// it (a reload is what an outside change costs, not the command). Each round also times one plain
// copy of the document as it then is, so that the ratios compare work done under the same load.
template <typename Command, typename Undo>
void RunCommand(benchmark::State& state, Command command, Undo undo) {
  BenchFaq bench(static_cast<int>(state.range(0)));
  quorella::Faq faq = quorella::LoadFaq(bench.context, "FAQ");
  quorella::QuestionModel model(bench.context.settings(), faq);
  const std::string copy = bench.dir.path() + "copy.dat";
  const double durable_copy = CopySeconds(bench.path, copy, quorella::CopyFileReplacing);

  Times command_times, copy_times;
  std::size_t round = 0;
  for (auto _ : state) {
    const Times start = Times::Now();
    command(model, round);
    command_times += Times::Now() - start;
    state.PauseTiming();
    undo(model, round);
    if (model.TakeReloaded()) state.SkipWithError("the command reloaded the FAQ");
    quorella::RemoveFile(copy);
    const Times copy_start = Times::Now();
    PlainCopy(bench.path, copy);
    copy_times += Times::Now() - copy_start;
    ++round;
    state.ResumeTiming();
  }
  const auto rounds = static_cast<double>(state.iterations());
  state.counters["document_kB"] = static_cast<double>(bench.document.size()) / 1000.0;
  state.counters["plain_copy_ms"] = copy_times.wall / rounds * 1000.0;
  state.counters["durable_copy_ms"] = durable_copy * 1000.0;
  state.counters["x_plain_copy"] = command_times.wall / copy_times.wall;
  state.counters["x_plain_copy_cpu"] = command_times.cpu / copy_times.cpu;
}

// The dialog's OK in add mode; the new question is deleted again.
void AddOneQuestion(benchmark::State& state) {
  RunCommand(
      state,
      [](quorella::QuestionModel& model, std::size_t) {
        benchmark::DoNotOptimize(model.AddQuestion("A new question?"));
      },
      [](quorella::QuestionModel& model, std::size_t) {
        model.Select(model.question_count() - 1);
        model.DeleteQuestion();
      });
}
BENCHMARK(AddOneQuestion)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The dialog's OK in edit mode on the middle question, its text changed each round.
void EditOneQuestion(benchmark::State& state) {
  RunCommand(
      state,
      [](quorella::QuestionModel& model, std::size_t round) {
        model.Select(model.question_count() / 2);
        benchmark::DoNotOptimize(
            model.EditQuestion("An edited question, round " + std::to_string(round) + "?"));
      },
      [](quorella::QuestionModel&, std::size_t) {});
}
BENCHMARK(EditOneQuestion)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Moving the middle question down, and up again in the next round.
void MoveOneQuestion(benchmark::State& state) {
  RunCommand(
      state,
      [](quorella::QuestionModel& model, std::size_t round) {
        const std::size_t middle = model.question_count() / 2;
        if (round % 2 == 0) {
          model.Select(middle);
          benchmark::DoNotOptimize(model.MoveDown());
        } else {
          model.Select(middle + 1);
          benchmark::DoNotOptimize(model.MoveUp());
        }
      },
      [](quorella::QuestionModel&, std::size_t) {});
}
BENCHMARK(MoveOneQuestion)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Deleting the middle question, which renumbers every section after it; a question is added at
// the end again.
void DeleteOneQuestion(benchmark::State& state) {
  RunCommand(
      state,
      [](quorella::QuestionModel& model, std::size_t) {
        model.Select(model.question_count() / 2);
        benchmark::DoNotOptimize(model.DeleteQuestion());
      },
      [](quorella::QuestionModel& model, std::size_t round) {
        model.AddQuestion("Added again, round " + std::to_string(round) + "?");
      });
}
BENCHMARK(DeleteOneQuestion)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Leaving the answer editor of the middle question, its text changed each round.
void StoreOneAnswer(benchmark::State& state) {
  RunCommand(
      state,
      [](quorella::QuestionModel& model, std::size_t round) {
        model.Select(model.question_count() / 2);
        model.StoreAnswer("An answer typed in round " + std::to_string(round) + ".\r\n");
      },
      [](quorella::QuestionModel&, std::size_t) {});
}
BENCHMARK(StoreOneAnswer)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// One plain copy of the same document alone, for its CPU time beside the command's.
void PlainCopyOfDocument(benchmark::State& state) {
  BenchFaq bench(static_cast<int>(state.range(0)));
  const std::string copy = bench.dir.path() + "copy.dat";
  for (auto _ : state) {
    state.PauseTiming();
    quorella::RemoveFile(copy);
    state.ResumeTiming();
    PlainCopy(bench.path, copy);
  }
}
BENCHMARK(PlainCopyOfDocument)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The rewrite of the text alone, in memory: what the one pass costs without the file system.
void QuestionListTextOnly(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const std::string document = DocumentOf(count);
  quorella::Faq faq("/");
  for (int i = 0; i <= count; ++i) {
    faq.questions.push_back("What does question number " + std::to_string(i) + " ask about?");
    faq.answers.emplace_back("0\r\nAn answer.\r\n");
  }
  for (auto _ : state)
    benchmark::DoNotOptimize(quorella::QuestionListInText(document, faq.questions, faq.answers));
}
BENCHMARK(QuestionListTextOnly)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The same list written section by section, each write rewriting the whole text (in memory, no
// file): the cost the one pass avoids, which grows with the square of the number of questions.
void QuestionListBySections(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const std::string document = DocumentOf(count);
  for (auto _ : state) {
    std::optional<std::string> text = document;
    for (int n = 0; n <= count; ++n) {
      const auto index = static_cast<std::size_t>(n);
      text = quorella::WriteSectionInText(
          text, quorella::QuestionSectionName(index),
          {"What does question number " + std::to_string(n) + " ask about?"});
      text = quorella::WriteSectionInText(text, quorella::AnswerSectionName(index),
                                          {"0", "An answer."});
    }
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(QuestionListBySections)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
