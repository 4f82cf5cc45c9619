// A failed call during generation, import, backup, restore or a snapshot load: no crash, the
// caller told why in the program's own words, and the document, the store, the backup set and
// the pages each the old or the new version, with no scratch file left.
#include "backup/backup.h"
#include "backup/restore.h"
#include "backup/scripted_ui.h"
#include "backup/snapshot_reader.h"
#include "backup/staged_set.h"
#include "html/generator.h"
#include "html/manifest.h"
#include "import/import_session.h"
#include "import/replace_questions.h"
#include "reliability/sweep_fixture.h"
#include "store/catalogue.h"
#include "store/faq.h"
#include "store/values.h"
#include "support/error_text.h"
#include "util/file_io.h"
#include "util/sys_io.h"

namespace quorella::testing {
namespace {

std::string Document(const std::string& answer, int questions = 2) {
  std::string text =
      "[Question 0]\r\nFirst?\r\n\r\n####\r\n\r\n[Answer 0]\r\n0\r\n" + answer +
      "\r\n\r\n####\r\n\r\n[Question 1]\r\nSecond?\r\n\r\n####\r\n\r\n[Answer 1]\r\n1\r\nB\r\n"
      "\r\n####\r\n";
  for (int i = 2; i < questions; ++i)
    text += "\r\n[Question " + std::to_string(i) + "]\r\nNumber " + std::to_string(i) +
            "?\r\n\r\n####\r\n\r\n[Answer " + std::to_string(i) + "]\r\n0\r\nAnswer " +
            std::to_string(i) + "\r\n\r\n####\r\n";
  return text;
}

class OperationFaults : public FaultSweepTest {
 protected:
  std::string backup_dir = dir / "backup/";
  std::string site_dir = dir / "site/";

  // A FAQ with two questions or more, a title and its document.
  void MakeFaq(const std::string& name, const std::string& answer, int questions = 2) {
    CreateDirectories(app_dir);
    AddFaq(context, name);
    Settings& settings = context.settings();
    WriteFaqValue(settings, context.FaqKey(name), FaqValue::TotalQuestions, questions);
    WriteFaqValue(settings, context.FaqKey(name), FaqValue::Title, name + " " + answer);
    WriteFile(context.DocumentPath(name), Document(answer, questions));
  }

  State AppAndStore() {
    State state = FilesUnder(app_dir, "app");
    state["store"] = StoreImage(context);
    return state;
  }

  State AppStoreAndSite() {
    State state = AppAndStore();
    state.merge(FilesUnder(site_dir, "site"));
    return state;
  }

  // A Go of the FAQ as it is stored, as the window runs it; what it reported.
  std::string GoFaq() {
    return ErrorOf([&] { html::Go(ReadFaq(context, "FAQ"), "<banner>"); });
  }

  // What a backup or restore reported: the error that stopped it, else its messages and skips.
  static std::string Reported(const std::function<CopyReport()>& action, const ScriptedUi& ui) {
    CopyReport report;
    std::string text = ErrorOf([&] { report = action(); });
    for (const auto& line : ui.messages) text += (text.empty() ? "" : "\n") + line;
    for (const auto& line : report.failures) text += (text.empty() ? "" : "\n") + line;
    return text;
  }

  std::string Backup() {
    ScriptedUi ui;
    return Reported([&] { return DoBackup(context, backup_dir, ui).documents; }, ui);
  }
};

TEST_F(OperationFaults, GenerationLeavesEachPageOldOrNew) {
  Operation generation{"generation",
                       [&] {
                         MakeFaq("FAQ", "old");
                         const std::string key = context.FaqKey("FAQ");
                         WriteFaqValue(context.settings(), key, FaqValue::Directory, site_dir);
                         WriteFaqValue(context.settings(), key, FaqValue::Layout, 1);
                         WriteFaqValue(context.settings(), key, FaqValue::AnswersPage, 0);
                         html::Go(ReadFaq(context, "FAQ"), "<banner>");
                         WriteFile(context.DocumentPath("FAQ"), Document("new"));
                       },
                       [&] { return GoFaq(); }, [&] { return AppStoreAndSite(); },
                       Atomicity::EachItem};
  EXPECT_GE(Sweep(generation), 20u);

  // The Modern page of every answer: the unchanged answer is copied from the previous file into
  // the page's scratch file, file to file.
  Operation copied{"generation of a page with copied answers",
                   [&] {
                     MakeFaq("FAQ", "old");
                     const std::string key = context.FaqKey("FAQ");
                     WriteFaqValue(context.settings(), key, FaqValue::Directory, site_dir);
                     WriteFaqValue(context.settings(), key, FaqValue::PageStyle, kPageStyleModern);
                     WriteFaqValue(context.settings(), key, FaqValue::AnswersPage, 1);
                     // Else the first answer describes the page, and every answer's item changes
                     // with it.
                     WriteFaqValue(context.settings(), key, FaqValue::Description,
                                   "Two questions.");
                     html::Go(ReadFaq(context, "FAQ"), "<banner>");
                     // A page of another size: one of the same size is read whole to be compared.
                     WriteFile(context.DocumentPath("FAQ"), Document("newer"));
                   },
                   [&] { return GoFaq(); }, [&] { return AppStoreAndSite(); }, Atomicity::EachItem};
  EXPECT_GE(Sweep(copied), 10u);

  // A stored Go of a document the list records, with a page to make again: the record is read
  // and the document once. An hour on, the document's times have settled, so the Go before
  // records it.
  quorella::sys::SetClockShift(3'600'000'000'000);
  Operation recorded{
      "generation of a recorded document",
      [&] {
        MakeFaq("FAQ", "old");
        const std::string key = context.FaqKey("FAQ");
        WriteFaqValue(context.settings(), key, FaqValue::Directory, site_dir);
        WriteFaqValue(context.settings(), key, FaqValue::AnswersPage, 0);
        html::GoStoredFaq(context, "FAQ", "<banner>");
        RemoveFile(site_dir + "ans2.html");
      },
      [&] { return ErrorOf([&] { html::GoStoredFaq(context, "FAQ", "<banner>"); }); },
      [&] { return AppStoreAndSite(); }, Atomicity::EachItem};
  EXPECT_GE(Sweep(recorded), 20u);
  EXPECT_NE(html::ReadManifestDocument(site_dir + html::ClassicManifestName("faq.html")).identity,
            0u);
  quorella::sys::SetClockShift(0);
}

// A first Go into a folder that does not exist yet builds it aside and renames it into place:
// after any failure the folder is there with the whole set or not at all, and no scratch folder
// is left beside it. Into a folder that exists but holds nothing, each page is created whole at
// once: every page is there whole or not at all, and nothing else is left. Both styles, and a set
// large enough to be written by threads of their own.
TEST_F(OperationFaults, AFirstGoLeavesEachPageWholeOrAbsent) {
  const std::string parent = dir / "out/";
  struct Row {
    bool folder_there;
    std::int32_t style;
    int questions;
  };
  for (const auto& [folder_there, style, questions] :
       {Row{false, kPageStyleClassic, 2}, Row{false, kPageStyleModern, 2},
        Row{true, kPageStyleClassic, 2}, Row{true, kPageStyleModern, 2},
        Row{false, kPageStyleClassic, 70}, Row{true, kPageStyleModern, 70}}) {
    {
      Operation generation{
          std::string(folder_there ? "first generation into an empty folder"
                                   : "first generation, folder built aside") +
              ", style " + std::to_string(style) + ", " + std::to_string(questions) + " questions",
          [&] {
            MakeFaq("FAQ", "new", questions);
            const std::string key = context.FaqKey("FAQ");
            CreateDirectories(folder_there ? parent + "site" : parent);
            WriteFaqValue(context.settings(), key, FaqValue::Directory, parent + "site/");
            WriteFaqValue(context.settings(), key, FaqValue::PageStyle, style);
            WriteFaqValue(context.settings(), key, FaqValue::AnswersPage, 0);
          },
          [&] { return GoFaq(); },
          [&] {
            State state = AppAndStore();
            state.merge(FilesUnder(parent, "out"));
            return state;
          },
          folder_there ? Atomicity::EachItem : Atomicity::Whole,
          {},
          questions > 2 ? 13u : 1u};
      EXPECT_GE(Sweep(generation), 20u);
    }
  }
}

TEST_F(OperationFaults, ImportLeavesDocumentAndStoreBothOldOrBothNew) {
  const std::string input = dir / "input.txt";
  Operation import{"import",
                   [&] {
                     MakeFaq("Old", "kept");
                     WriteFile(input, "1. How?\r\nLike this.\r\n\r\n2. Why?\r\nBecause.\r\n\r\n");
                   },
                   [&] {
                     return ErrorOf([&] {
                       ImportSession session;
                       session.ReadInputFile(input);
                       session.Convert();
                       session.Import(context, "New");
                     });
                   },
                   [&] { return AppAndStore(); }};
  EXPECT_GE(Sweep(import), 10u);
}

// The document and the count are two files: whatever call fails, a reader finds the old questions
// or the new ones, never the new document counted as the old one (the record beside it says which).
TEST_F(OperationFaults, ReplacingTheQuestionsLeavesTheOldOrTheNewFaq) {
  Operation replace{"replace questions", [&] { MakeFaq("FAQ", "kept", 3); },
                    [&] {
                      return ErrorOf([&] {
                        ImportedFaq faq;
                        faq.questions = {{"New?", "Yes.\r\n", 4}};
                        ReplaceQuestions(context, "FAQ", faq);
                      });
                    },
                    [&] {
                      // What every reader sees: the questions with their answers, the settings.
                      const Faq faq = ReadFaq(context, "FAQ");
                      State state;
                      for (std::size_t n = 0; n < faq.questions.size(); ++n)
                        state["question " + std::to_string(n)] =
                            faq.questions[n] + "\n" + faq.answers[n];
                      state["title"] = faq.values.Text(FaqValue::Title);
                      state["header"] = faq.Section(FixedSection::AnswerHeader);
                      return state;
                    }};
  EXPECT_GE(Sweep(replace), 8u);
}

TEST_F(OperationFaults, BackupLeavesTheOldOrTheNewBackupSet) {
  Operation backup{"backup",
                   [&] {
                     MakeFaq("A", "old");
                     MakeFaq("B", "gone");
                     Backup();
                     WriteFile(context.DocumentPath("A"), Document("new"));
                     DeleteFaq(context, "B");
                     MakeFaq("C", "added");
                   },
                   [&] { return Backup(); },
                   [&] {
                     State state = AppAndStore();
                     state.merge(FilesUnder(backup_dir, "backup"));
                     return state;
                   },
                   Atomicity::Whole,
                   std::string(kBackupScratchPrefix)};
  EXPECT_GE(Sweep(backup), 20u);
}

TEST_F(OperationFaults, RestoreLeavesTheStoreAndEachDocumentOldOrNew) {
  Operation restore{"restore",
                    [&] {
                      MakeFaq("A", "backed up");
                      MakeFaq("B", "backed up");
                      Backup();
                      WriteFile(context.DocumentPath("A"), Document("changed"));
                      WriteFile(context.DocumentPath("B"), Document("changed"));
                      MakeFaq("C", "added");
                    },
                    [&] {
                      ScriptedUi ui;
                      return Reported([&] { return DoRestore(context, backup_dir, ui).files; }, ui);
                    },
                    [&] { return AppAndStore(); }, Atomicity::EachItem};
  EXPECT_GE(Sweep(restore), 20u);
}

TEST_F(OperationFaults, ASnapshotLoadLeavesTheOldOrTheNewStore) {
  const std::string snapshot = dir / "registry.cfg";
  Operation load{
      "snapshot load",
      [&] {
        MakeFaq("A", "old");
        WriteFile(snapshot,
                  "[\\Software\\Tamsel Software\\Quorella\\FAQs\\A]\r\nTitlestr=New\r\n"
                  "TotalQuestionsint=7\r\n\r\n"
                  "[\\Software\\Tamsel Software\\Quorella\\FAQs\\Z]\r\nTitlestr=Z\r\n");
      },
      [&] { return ErrorOf([&] { LoadKeySnapshot(context.settings().registry(), snapshot); }); },
      [&] { return AppAndStore(); }};
  EXPECT_GE(Sweep(load), 5u);
}

}  // namespace
}  // namespace quorella::testing
