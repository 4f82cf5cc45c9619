#include "store/answer.h"

#include "util/strings.h"
#include "util/text_lines.h"

namespace quorella {

StoredAnswer ParseStoredAnswer(std::string_view text) {
  StoredAnswer answer;
  answer.lines = SplitLines(text);
  if (!answer.lines.empty() && ParseInteger(answer.lines.front(), answer.format))
    answer.lines.erase(answer.lines.begin());
  return answer;
}

std::string AnswerText(const StoredAnswer& answer) {
  return JoinLinesCrLf(answer.lines);
}

std::string StoredAnswerText(int format, const std::vector<std::string>& lines) {
  return std::to_string(format) + "\r\n" + JoinLinesCrLf(lines);
}

}  // namespace quorella
