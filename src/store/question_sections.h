#pragma once
// The question and answer sections of a FAQ document, all written in one rewrite of the file.
//
// Writing the whole list is defined as writing, for n ascending, section "Question " + n with the
// lines of question n and then section "Answer " + n with the lines of answer n, each through
// WriteSection. Done that way every section copies the whole document; here the document is read
// once, the same sequence of writes is played on an outline of it, and the result is written once.
// The bytes are exactly those of the section-by-section sequence, whatever the document holds:
// sections in any order, duplicates, missing sections, lines outside sections, any line ends.
#include <optional>
#include <string>
#include <vector>

namespace quorella {

// The document text after the sequence of writes; `content` is the text before it (nullopt for a
// missing file). nullopt when the file is missing and there is nothing to write.
std::optional<std::string> QuestionListInText(const std::optional<std::string>& content,
                                              const std::vector<std::string>& questions,
                                              const std::vector<std::string>& answers);

// Writes the sequence into the document at `path`: one read and, when the text changes, one
// replacement of the file (old or new version, never a mixture).
void SaveQuestionList(const std::string& path, const std::vector<std::string>& questions,
                      const std::vector<std::string>& answers);

// For a question removed from lists that held `old_count` entries: deletes the sections of the
// last number that was in use ("Question " + (old_count - 1), then "Answer " + (old_count - 1))
// and writes the remaining list, all in one replacement of the file.
void DeleteLastAndSaveQuestionList(const std::string& path, std::size_t old_count,
                                   const std::vector<std::string>& questions,
                                   const std::vector<std::string>& answers);

}  // namespace quorella
