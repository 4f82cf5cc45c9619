// Two processes adding questions to one FAQ at the same time: each add is a read-modify-write of
// the document and its count, so without the lock one writer's list overwrites the other's.
#include <set>

#include "cli/cli_fixture.h"
#include "store/answer.h"
#include "store/app_context.h"
#include "store/catalogue.h"
#include "store/faq.h"
#include "store/question_model.h"
#include "util/errors.h"
#include "util/file_io.h"

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

// A FAQ duplicated and then deleted while another process keeps adding questions to it: the copy's
// count is that of its document, the FAQ is gone for good with its document, and the adder stops
// with the message for a FAQ that is not there.
TEST_F(TwoWriters, DuplicateAndDeleteMeetARunningAddQuestion) {
  constexpr int kRounds = 5;
  const std::string rounds = "r=0; while [ $r -lt " + std::to_string(kRounds) +
                             " ]; do\n"
                             "  \"$CLI\" add F$r || exit 1\n"
                             "  ( i=0; while \"$CLI\" add-question F$r \"Q $i\" 2>\"$OUT/err$r\"; "
                             "do i=$((i+1)); done ) &\n"
                             "  adder=$!; sleep 0.2\n"
                             "  \"$CLI\" duplicate F$r G$r || exit 1; sleep 0.1\n"
                             "  \"$CLI\" delete F$r || exit 1\n"
                             "  wait $adder; r=$((r+1))\n"
                             "done";
  const ProcessResult run = RunProcess("/bin/sh", {"-c", rounds},
                                       {{"QUORELLA_HOME", app_dir},
                                        {"XDG_CONFIG_HOME", config_dir},
                                        {"HOME", dir / "home"},
                                        {"OUT", dir.path()},
                                        {"CLI", QUORELLA_CLI_PATH}});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  AppContext context(config_dir + "/quorella/settings.db", app_dir, false);
  std::vector<std::string> copies;
  for (int r = 0; r < kRounds; ++r) copies.push_back("G" + std::to_string(r));
  EXPECT_EQ(ListFaqs(context), copies);
  for (int r = 0; r < kRounds; ++r) {
    const std::string name = std::to_string(r);
    EXPECT_FALSE(FileExists(app_dir + "F" + name + ".dat")) << name;
    EXPECT_EQ(ReadFile(dir / ("err" + name)), messages::NoSuchFaq("F" + name) + "\n");
    const Faq copy = ReadFaq(context, "G" + name);
    const std::string document = ReadFile(app_dir + "G" + name + ".dat");
    std::size_t sections = 0;
    for (std::size_t at = document.find("[Question "); at != std::string::npos;
         at = document.find("[Question ", at + 1))
      ++sections;
    EXPECT_GT(copy.question_count(), 0u) << name;
    EXPECT_EQ(copy.question_count(), sections) << name;
  }
}

}  // namespace
}  // namespace quorella::testing
