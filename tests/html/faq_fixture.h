#pragma once
// FAQs for the generator's tests, built in memory with their document on disk, the way the
// window holds a loaded FAQ.
#include <string>
#include <utility>
#include <vector>

#include "store/faq.h"
#include "support/temp_dir.h"

namespace quorella::testing {

struct QuestionAndAnswer {
  std::string question;
  std::vector<std::string> answer_section;  // the section's lines: format line, then the answer
};

class FaqBuilder {
 public:
  // The output directory is `dir` + "out/"; the document is `dir` + "FAQ.dat".
  explicit FaqBuilder(const TempDir& dir);

  FaqBuilder& Set(FaqValue value, std::string text);
  FaqBuilder& Set(FaqValue value, std::int32_t number);
  FaqBuilder& Section(FixedSection section, std::vector<std::string> lines);
  FaqBuilder& Add(QuestionAndAnswer entry);
  // A section of any name and body (duplicates and odd headers included), in order.
  FaqBuilder& RawSection(std::string header_line, std::vector<std::string> lines);

  // Writes the document and returns the FAQ as loaded.
  Faq Build() const;
  const std::string& output_dir() const { return output_dir_; }

 private:
  std::string document_path_;
  std::string output_dir_;
  Faq faq_;
  std::vector<std::pair<std::string, std::vector<std::string>>> sections_;  // header, body
};

// The three questions most tests use: Smart format, Retain original linefeeds and Retain original
// format answers with links, e-mail addresses and entity characters.
std::vector<QuestionAndAnswer> SampleQuestions(std::size_t count);

// The file as the page list: each CR LF-ended line (the bytes must end with CR LF).
std::vector<std::string> PageLines(const std::string& bytes);

}  // namespace quorella::testing
