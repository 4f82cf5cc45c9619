// The readers of other kinds of file against the plain-text import, on the same questions and
// answers: 10,000 questions as Markdown, as an HTML page of about 5 MB and as plain text; and a
// Markdown answer rendered against the same text in Smart format.
#include <benchmark/benchmark.h>

#include <string>

#include "html/answer_formats.h"
#include "html/markdown_answer.h"
#include "import/convert.h"
#include "import/html_import.h"
#include "import/imported_faq.h"
#include "import/markdown_import.h"
#include "import/working_text.h"

namespace {

std::string Question(int i) {
  return "What does step " + std::to_string(i) + " do?";
}
// About 480 bytes: two paragraphs with a link, as answers run.
std::string Answer(int i, const char* line_break) {
  const std::string n = std::to_string(i);
  std::string text;
  for (int line = 0; line < 3; ++line)
    text += "It does what step " + n + " says, and nothing else; see www.example.org for the " +
            "rest of it." + line_break;
  text += line_break;
  text += "A second paragraph names step " + n + " again and ends the answer here." + line_break;
  return text;
}

std::string PlainText(int questions) {
  std::string text;
  for (int i = 1; i <= questions; ++i) text += Question(i) + "\r\n" + Answer(i, "\r\n") + "\r\n";
  return text;
}

std::string Markdown(int questions) {
  std::string text = "# FAQ\r\n\r\n";
  for (int i = 1; i <= questions; ++i)
    text += "## " + Question(i) + "\r\n\r\n" + Answer(i, "\r\n") + "\r\n";
  return text;
}

std::string Html(int questions) {
  std::string text = "<!DOCTYPE html><html><head><title>FAQ</title></head><body><nav>menu</nav>\n";
  for (int i = 1; i <= questions; ++i) {
    std::string answer = Answer(i, "\n");
    text +=
        "<h2 id=\"q" + std::to_string(i) + "\">" + Question(i) + "</h2>\n<p>" + answer + "</p>\n";
  }
  return text + "</body></html>\n";
}

void ImportPlainText(benchmark::State& state) {
  const std::string text = PlainText(static_cast<int>(state.range(0)));
  const quorella::ConvertOptions options;
  for (auto _ : state)
    benchmark::DoNotOptimize(quorella::Convert(quorella::WorkingTextFromBytes(text), options));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(ImportPlainText)->Arg(10000)->Unit(benchmark::kMillisecond);

// The document text made from the questions found: what the plain-text import stores.
void ImportMarkdown(benchmark::State& state) {
  const std::string text = Markdown(static_cast<int>(state.range(0)));
  for (auto _ : state)
    benchmark::DoNotOptimize(quorella::ImportedDocumentText(quorella::ReadMarkdownFaq(text)));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(ImportMarkdown)->Arg(10000)->Unit(benchmark::kMillisecond);

void ImportHtml(benchmark::State& state) {
  const std::string text = Html(static_cast<int>(state.range(0)));
  state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
  for (auto _ : state)
    benchmark::DoNotOptimize(quorella::ImportedDocumentText(quorella::ReadHtmlFaq(text)));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(ImportHtml)->Arg(10000)->Unit(benchmark::kMillisecond);

// One answer of the sizes answers have, many times over, as a page of every answer renders them.
void RenderSmart(benchmark::State& state) {
  const std::string text = Answer(7, "\r\n");
  for (auto _ : state) {
    std::string out;
    quorella::html::AppendSmartFormat(out, text);
    benchmark::DoNotOptimize(out);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(RenderSmart);

void RenderMarkdown(benchmark::State& state) {
  const std::string text = Answer(7, "\r\n");
  for (auto _ : state) {
    std::string out;
    quorella::html::AppendMarkdown(out, text);
    benchmark::DoNotOptimize(out);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(RenderMarkdown);

}  // namespace

BENCHMARK_MAIN();
