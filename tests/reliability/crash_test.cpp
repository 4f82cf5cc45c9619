// A child process rewrites a document and writes store transactions in a loop and is killed with
// SIGKILL at random moments. After every kill the document is exactly the version before or after
// the write that was under way, the store passes SQLite's integrity check, and every transaction
// is there whole or not at all; nothing the child had finished is lost. A child making a first Go,
// killed the same way, leaves whole pages only, and into a missing folder the whole set or none.
// QUORELLA_CRASH_KILLS sets the number of kills (100 by default); scripts/crash-test.sh runs more.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <random>
#include <set>
#include <thread>

#include "html/generator.h"
#include "store/app_context.h"
#include "store/document.h"
#include "store/faq.h"
#include "store/question_sections.h"
#include "store/sqlite.h"
#include "support/temp_dir.h"
#include "util/file_io.h"

namespace quorella::testing {
namespace {

constexpr std::size_t kQuestions = 40;
constexpr const char* kValues = "Crash";
constexpr const char* kSubkey = "Crash\\Sub";
constexpr const char* kCopy = "Copy";

// Round r of the document: odd rounds rewrite one answer section, even rounds the whole list.
struct DocumentWrite {
  std::string section;  // empty for the whole list
  std::vector<std::string> lines, questions, answers;
};

DocumentWrite WriteOfRound(int round) {
  const std::string text = "round " + std::to_string(round);
  DocumentWrite write;
  if (round % 2 == 1) {
    write.section = "Answer " + std::to_string(round % kQuestions);
    write.lines = {"0", text, std::string(static_cast<std::size_t>(round % 97), 'x')};
    return write;
  }
  for (std::size_t i = 0; i < kQuestions; ++i) {
    write.questions.push_back("Question " + std::to_string(i) + " of " + text + "?");
    write.answers.push_back("1\r\n" + text + "\r\nline two\r\n");
  }
  return write;
}

std::string DocumentAfter(const std::string& before, int round) {
  const DocumentWrite write = WriteOfRound(round);
  if (!write.section.empty()) return WriteSectionInText(before, write.section, write.lines);
  return QuestionListInText(before, write.questions, write.answers).value_or("");
}

void WriteDocumentRound(const std::string& path, int round) {
  const DocumentWrite write = WriteOfRound(round);
  if (!write.section.empty())
    WriteSection(path, write.section, write.lines);
  else
    SaveQuestionList(path, write.questions, write.answers);
}

// A values transaction (three values in two keys) and a tree copy transaction.
void WriteStoreRound(Registry& registry, int round) {
  registry.Write([&](RegistrySession& session) {
    const KeyId values = session.CreateKey(Root::CurrentUser, kValues);
    session.SetValue(values, "A", RawValue::Integer(round));
    session.SetValue(values, "B", RawValue::Integer(round));
    session.SetValue(session.CreateKey(Root::CurrentUser, kSubkey), "C", RawValue::Integer(round));
  });
  registry.Write([&](RegistrySession& session) {
    session.DeleteKeyTree(Root::CurrentUser, kCopy);
    session.CopyKeyTree(Root::CurrentUser, kValues, kCopy);
  });
}

// Progress the child reports: after each document round 'd', after each store round 's'.
struct Step {
  char kind;
  int round;
};

[[noreturn]] void RunChild(const std::string& doc, Registry registry, int doc_round,
                           int store_round, int report) {
  for (int i = 0; i < 1000000; ++i) {
    WriteDocumentRound(doc, ++doc_round);
    Step done{'d', doc_round};
    if (::write(report, &done, sizeof done) != sizeof done) ::_exit(2);
    WriteStoreRound(registry, ++store_round);
    done = {'s', store_round};
    if (::write(report, &done, sizeof done) != sizeof done) ::_exit(2);
  }
  ::_exit(0);
}

struct StoreState {
  std::string integrity;
  std::map<std::string, std::int32_t> values;  // "A", "B", "C", "copy A", ...
};

StoreState ReadStore(Registry& registry) {
  StoreState state;
  registry.Read([&](const RegistrySession* session) {
    if (session == nullptr) return;
    auto read = [&](const std::string& key, const std::string& name, const std::string& as) {
      if (const auto id = session->OpenKey(Root::CurrentUser, key))
        if (const auto value = session->GetValue(*id, name)) state.values[as] = value->AsInteger();
    };
    read(kValues, "A", "A");
    read(kValues, "B", "B");
    read(kSubkey, "C", "C");
    read(kCopy, "A", "copy A");
    read(kCopy, "B", "copy B");
    read(std::string(kCopy) + "\\Sub", "C", "copy C");
  });
  sqlite::Database db(registry.path(), sqlite::Database::Mode::ReadOnly);
  sqlite::Statement check(db, "PRAGMA integrity_check");
  state.integrity = check.Step() ? check.Text(0) : "no answer";
  return state;
}

int KillsWanted() {
  const char* text = std::getenv("QUORELLA_CRASH_KILLS");
  return text != nullptr && std::atoi(text) > 0 ? std::atoi(text) : 100;
}

TEST(CrashTest, NothingIsLostWhenTheProcessIsKilledAtRandomMoments) {
  TempDir dir;
  const std::string doc = dir / "FAQ.dat";
  Registry registry(dir / "config/settings.db");
  std::map<int, std::string> documents{{0, ""}};
  WriteFile(doc, "");
  WriteStoreRound(registry, 0);
  int doc_round = 0, store_round = 0;

  const int kills = KillsWanted();
  std::mt19937 random(20240901);
  std::uniform_int_distribution<int> delay_us(0, 30000);
  int survived = 0;
  for (int kill = 0; kill < kills; ++kill) {
    int pipe_fds[2];
    ASSERT_EQ(::pipe(pipe_fds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(pipe_fds[0]);
      RunChild(doc, registry, doc_round, store_round, pipe_fds[1]);
    }
    ::close(pipe_fds[1]);
    std::this_thread::sleep_for(std::chrono::microseconds(delay_us(random)));
    ::kill(child, SIGKILL);
    // The reports are read while the child may still be writing them: its end closes the pipe.
    Step step{};
    int finished_doc = doc_round, finished_store = store_round;
    while (::read(pipe_fds[0], &step, sizeof step) == static_cast<ssize_t>(sizeof step))
      (step.kind == 'd' ? finished_doc : finished_store) = step.round;
    ::close(pipe_fds[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "kill " << kill;

    // The document: the version of the last finished round or of the one under way.
    for (int r = static_cast<int>(documents.rbegin()->first) + 1; r <= finished_doc + 1; ++r)
      documents[r] = DocumentAfter(documents[r - 1], r);
    const std::string now = ReadFile(doc);
    if (now == documents[finished_doc + 1])
      doc_round = finished_doc + 1;
    else
      doc_round = finished_doc;
    ASSERT_EQ(now, documents[doc_round]) << "kill " << kill << ": the document is torn";

    // The store: whole, each transaction all there or not at all, nothing finished lost.
    const StoreState store = ReadStore(registry);
    ASSERT_EQ(store.integrity, "ok") << "kill " << kill;
    const auto& v = store.values;
    ASSERT_EQ(v.size(), 6u) << "kill " << kill;
    ASSERT_TRUE(v.at("A") == v.at("B") && v.at("B") == v.at("C")) << "kill " << kill;
    ASSERT_TRUE(v.at("copy A") == v.at("copy B") && v.at("copy B") == v.at("copy C"))
        << "kill " << kill;
    ASSERT_GE(v.at("copy A"), finished_store) << "kill " << kill << ": a finished copy is lost";
    ASSERT_LE(v.at("A"), finished_store + 1) << "kill " << kill;
    ASSERT_TRUE(v.at("copy A") == v.at("A") || v.at("copy A") == v.at("A") - 1) << "kill " << kill;
    // The next child goes on from the round the store holds; a values round without its copy
    // is taken up again from its start.
    store_round = v.at("copy A");
    documents.erase(documents.upper_bound(doc_round), documents.end());
    ++survived;
  }
  std::cout << "[ figures  ] " << survived << " of " << kills
            << " kills survived with nothing lost (document rounds " << doc_round
            << ", store rounds " << store_round << ")\n";
}

// A FAQ of `count` questions, each answer its own, in the given style with one page per answer.
Faq PagesFaq(const TempDir& dir, std::int32_t style, std::size_t count) {
  Faq faq(dir.path());
  faq.document_path = dir / "FAQ.dat";
  std::string document;
  for (std::size_t i = 0; i < count; ++i) {
    faq.questions.push_back("Question " + std::to_string(i) + "?");
    document += "[Question " + std::to_string(i) + "]\r\n" + faq.questions.back() +
                "\r\n####\r\n[Answer " + std::to_string(i) + "]\r\n0\r\nAnswer number " +
                std::to_string(i) + " with www.example.com and \"é\".\r\n####\r\n";
  }
  WriteFile(faq.document_path, document);
  faq.values.SetInteger(FaqValue::PageStyle, style);
  faq.values.SetInteger(FaqValue::AnswersPage, kOnePerPage);
  return faq;
}

// A first Go into a folder that does not exist yet builds it aside: whenever it dies, the folder is
// absent or there with the whole set and its list, and what it left beside it is removed by the
// sweep for the scratch of writers that are gone. Into a folder that exists but holds nothing,
// pages are created whole at once: each file in the folder is a whole page. What may be left
// besides is the list of the pages or, when the Go died writing it, its scratch file, which the
// next Go into the folder removes.
TEST(CrashTest, AFirstGoKilledAtRandomMomentsLeavesWholePagesOnly) {
  TempDir dir;
  const int kills = KillsWanted();
  std::mt19937 random(20261207);
  int with_pages = 0, whole_sets = 0, scratch_removed = 0;
  for (const std::int32_t style : {kPageStyleClassic, kPageStyleModern}) {
    Faq faq = PagesFaq(dir, style, 300);
    faq.values.SetText(FaqValue::Directory, dir / "expected/");
    html::Go(faq, "<banner>");
    std::map<std::string, std::string> expected;
    for (const std::string& name : ListDirectory(dir / "expected"))
      expected[name] = ReadFile(dir / ("expected/" + name));
    std::filesystem::remove_all(dir / "expected");
    const std::string site = dir / "site";
    faq.values.SetText(FaqValue::Directory, site + "/");
    // A kill lands anywhere from before the first page to after the last; into a missing folder
    // also after the rename that puts the folder built aside in place: up to a fifth more than a
    // whole Go in a child takes (the quickest of three, as other work on the machine slows some).
    auto whole_go = [&] {
      std::filesystem::remove_all(site);
      const auto start = std::chrono::steady_clock::now();
      const pid_t child = ::fork();
      if (child == 0) {
        html::Go(faq, "<banner>");
        ::_exit(0);
      }
      ::waitpid(child, nullptr, 0);
      return std::chrono::duration_cast<std::chrono::microseconds>(
                 std::chrono::steady_clock::now() - start)
          .count();
    };
    const long took = std::min({whole_go(), whole_go(), whole_go()});
    std::uniform_int_distribution<long> delay_us(0, 20000), delay_missing_us(0, took * 6 / 5);
    for (int kill = 0; kill < kills / 2; ++kill) {
      const bool folder_there = kill % 2 == 1;
      std::filesystem::remove_all(site);
      if (folder_there) std::filesystem::create_directory(site);
      const pid_t child = ::fork();
      ASSERT_GE(child, 0);
      if (child == 0) {
        html::Go(faq, "<banner>");
        ::_exit(0);
      }
      std::this_thread::sleep_for(
          std::chrono::microseconds(folder_there ? delay_us(random) : delay_missing_us(random)));
      ::kill(child, SIGKILL);
      ASSERT_EQ(::waitpid(child, nullptr, 0), child);
      const std::string at = "style " + std::to_string(style) + ", kill " + std::to_string(kill);
      const std::vector<std::string> names = ListDirectory(site);
      with_pages += names.empty() ? 0 : 1;
      if (!folder_there) {
        // The set whole (pages and list) or no folder; its scratch folder goes with the sweep.
        if (std::filesystem::exists(site)) {
          ASSERT_EQ(names.size(), expected.size()) << at << ": the set is not whole";
          ++whole_sets;
        }
        bool scratch_left = false;
        for (const std::string& name : ListDirectory(dir.path()))
          scratch_left = scratch_left || name.starts_with(".site.tmp-");
        RemoveOrphanedScratchIn(dir / "");
        for (const std::string& name : ListDirectory(dir.path()))
          ASSERT_TRUE(name == "FAQ.dat" || name == "site") << at << ": " << name << " left";
        scratch_removed += scratch_left ? 1 : 0;
      }
      for (const std::string& name : names) {
        const std::string where = at + ": " + name;
        if (folder_there &&
            (name.ends_with(".quorella") || name.find(".quorella.tmp-") != std::string::npos))
          continue;
        ASSERT_EQ(expected.count(name), 1u) << where;
        if (!name.ends_with(".quorella")) {
          ASSERT_EQ(ReadFile(site + "/" + name), expected[name]) << where << " is torn";
        }
      }
    }
  }
  std::cout << "[ figures  ] " << kills / 2 * 2 << " first Go kills, " << with_pages
            << " with pages written: every page whole; into a missing folder " << whole_sets
            << " whole sets, the others no folder, " << scratch_removed
            << " scratch folders removed by the sweep\n";
}

}  // namespace
}  // namespace quorella::testing
