// Two processes adding questions to one FAQ at the same time: each add is a read-modify-write of
// the document and its count, so without the lock one writer's list overwrites the other's.
#include <set>

#include "cli/cli_fixture.h"
#include "store/answer.h"
#include "store/app_context.h"
#include "store/faq.h"
#include "store/question_model.h"

namespace quorella::testing {
namespace {

constexpr int kAddsPerWriter = 500;

class TwoWriters : public CliTest {};

TEST_F(TwoWriters, EveryAddOfTwoLoopsStaysWithItsOwnAnswer) {
  Ok({"add", "F"});
  const std::string loops =
      "w() { i=0; while [ $i -lt " + std::to_string(kAddsPerWriter) +
      " ]; do \"$CLI\" add-question F \"Q $1 $i\" --answer \"A $1 $i\" || exit 1; i=$((i+1)); "
      "done; }\n"
      "w a & a=$!; w b & b=$!; wait $a || exit 1; wait $b";
  const ProcessResult run = RunProcess("/bin/sh", {"-c", loops},
                                       {{"QUORELLA_HOME", app_dir},
                                        {"XDG_CONFIG_HOME", config_dir},
                                        {"HOME", dir / "home"},
                                        {"CLI", QUORELLA_CLI_PATH}});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "");

  AppContext context(config_dir + "/quorella/settings.db", app_dir, false);
  const Faq faq = ReadFaq(context, "F");
  ASSERT_EQ(faq.question_count(), 2u * kAddsPerWriter);
  std::set<std::string> seen;
  for (std::size_t n = 0; n < faq.question_count(); ++n) {
    const std::string& question = faq.questions[n];
    ASSERT_TRUE(question.starts_with("Q ")) << n << ": " << question;
    EXPECT_EQ(AnswerEditorFor(faq.answers[n]).text, "A " + question.substr(2) + "\r\n") << n;
    seen.insert(question);
  }
  EXPECT_EQ(seen.size(), 2u * kAddsPerWriter);
}

}  // namespace
}  // namespace quorella::testing
