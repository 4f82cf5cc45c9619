#include "html/faq_fixture.h"

#include "store/document.h"
#include "support/temp_dir.h"
#include "util/file_io.h"
#include "util/marked_text.h"
#include "util/strings.h"
#include "util/text_lines.h"

namespace quorella::testing {

FaqBuilder::FaqBuilder(const TempDir& dir)
    : document_path_(dir / "FAQ.dat"), output_dir_(dir / "out/"), faq_(dir.path()) {
  faq_.name = "FAQ";
  faq_.document_path = document_path_;
  faq_.values.SetText(FaqValue::Directory, output_dir_);
}

FaqBuilder& FaqBuilder::Set(FaqValue value, std::string text) {
  faq_.values.SetText(value, std::move(text));
  return *this;
}

FaqBuilder& FaqBuilder::Set(FaqValue value, std::int32_t number) {
  faq_.values.SetInteger(value, number);
  return *this;
}

FaqBuilder& FaqBuilder::Section(FixedSection section, std::vector<std::string> lines) {
  return RawSection("[" + std::string(SectionName(section)) + "]", std::move(lines));
}

FaqBuilder& FaqBuilder::Add(QuestionAndAnswer entry) {
  const std::size_t n = faq_.questions.size();
  RawSection("[" + QuestionSectionName(n) + "]", {entry.question});
  RawSection("[" + AnswerSectionName(n) + "]", std::move(entry.answer_section));
  faq_.questions.push_back(std::move(entry.question));
  faq_.values.SetInteger(FaqValue::TotalQuestions, static_cast<std::int32_t>(n + 1));
  return *this;
}

FaqBuilder& FaqBuilder::RawSection(std::string header_line, std::vector<std::string> lines) {
  sections_.emplace_back(std::move(header_line), std::move(lines));
  return *this;
}

Faq FaqBuilder::Build() const {
  // The form the program writes: the body, one empty line, the terminator, one empty line between.
  std::string text;
  for (const auto& [header, lines] : sections_) {
    if (!text.empty()) text += "\r\n";
    text += header + "\r\n" + JoinLinesCrLf(lines) + "\r\n" + std::string(kTerminator) + "\r\n";
  }
  // Stored as the program stores a document: Windows-1252 while every character fits.
  WriteWholeFile(document_path_,
                 EncodeMarkedText(text, EncodingToWrite(text, FileEncoding::Windows1252)));
  return faq_;
}

std::vector<QuestionAndAnswer> SampleQuestions(std::size_t count) {
  std::vector<QuestionAndAnswer> all = {
      {"What is Quorella?",
       {"0", "It writes FAQ pages.", "", "See www.tamsel.example, or mail (help@tamsel.example)."}},
      {"How do <b>bold</b> & \"quotes\" look?",
       {"1", "Type  two  spaces, a £ or € sign © and 1<2.",
        "Files at ftp.tamsel.example/pub and http://tamsel.example/a?b=1&c=2).", "", "& a&b "}},
      {"Last one?",
       {"2", "<pre> keeps\tTABS www.a.example\thttp://b.example", "  indented <x@y.example>", "",
        "end  "}},
  };
  all.resize(count);
  return all;
}

std::vector<std::string> PageLines(const std::string& bytes) {
  std::vector<std::string> lines = SplitText(bytes, "\r\n");
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

}  // namespace quorella::testing
