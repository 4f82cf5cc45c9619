// A real browser shows the text of a generated page as it was typed: pages written through
// quorella-cli in every script are opened in headless Chromium, and the text of the document it
// builds is compared with what was typed on the command line.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "cli/cli_fixture.h"
#include "support/loopback_server.h"

namespace quorella::testing {
namespace {

// Debian's chromium, found on PATH; empty when it is not installed.
std::string FindChromium() {
  const char* path = std::getenv("PATH");
  std::istringstream folders(path != nullptr ? path : "");
  for (std::string folder; std::getline(folders, folder, ':');) {
    const std::filesystem::path candidate = std::filesystem::path(folder) / "chromium";
    if (::access(candidate.c_str(), X_OK) == 0) return candidate.string();
  }
  return {};
}

struct Typed {
  std::string question, answer, format;
};

using BrowserRendering = CliTest;

TEST_F(BrowserRendering, EveryScriptShowsAsTyped) {
  const std::string chromium = FindChromium();
  if (chromium.empty()) GTEST_SKIP() << "chromium is not installed; scripts/common.sh installs it";

  const std::string title = "Вопросы — ερωτήσεις 🙂";
  const std::vector<Typed> typed = {
      {"Как это работает?", "Привет, мир! Ёлка, щука и съезд.", "0"},
      {"Τι κάνει;", "Καλημέρα κόσμε, ΑΒΓΔ αβγδ.", "1"},
      {"日本語で書けますか？", "はい、書けます。漢字と かな、한국어、中文。", "2"},
      {"هل يعمل من اليمين إلى اليسار؟", "<p dir=\"rtl\">مرحبا بالعالم ١٢٣</p>", "3"},
      {"Ame\u0301lie, n\u0303, a\u030A, Zürich?", "e\u0301 and é differ; ǅ ß ﬁ.", "0"},
      {"Emoji 🙂 in a question?",
       "Smile 🙂, thumbs 👍🏽, flag 🇺🇦 and £ € © signs.", "1"},
  };
  const std::string site = dir / "site";
  Ok({"add", "Every"});
  Ok({"set", "Every", "Title", title});
  Ok({"set", "Every", "Directory", site});
  for (const Typed& t : typed)
    Ok({"add-question", "Every", t.question, "--answer", t.answer, "--format", t.format});
  ASSERT_EQ(Ok({"generate", "Every"}), site + "/faq.html\n");

  const std::string page = ReadFile(site + "/faq.html");
  auto dump_dom = [&](const std::string& address) {
    const ProcessResult shown =
        RunProcess(chromium,
                   {"--headless", "--no-sandbox", "--disable-gpu",
                    "--user-data-dir=" + dir / "chromium", "--dump-dom", address},
                   {{"HOME", dir / "home"}});
    EXPECT_EQ(shown.exit_code, 0) << shown.err;
    return shown.out;  // the document as the browser holds it, in UTF-8
  };
  // The file itself, and the page from a server that announces a character set: the text must
  // show the same whatever a host sends.
  std::vector<std::pair<std::string, std::string>> sources = {
      {"file", dump_dom("file://" + site + "/faq.html")}};
  for (const std::string charset : {"windows-1252", "utf-8"}) {
    LoopbackServer server({Reply("HTTP/1.0 200 OK\r\nContent-Type: text/html; charset=" + charset +
                                 "\r\nContent-Length: " + std::to_string(page.size()) +
                                 "\r\nConnection: close\r\n\r\n" + page)},
                          /*repeat_last=*/true);
    sources.emplace_back(charset, dump_dom(server.Address("/faq.html")));
  }
  for (const auto& [source, dom] : sources) {
    SCOPED_TRACE(source);
    EXPECT_NE(dom.find("<title>" + title + "</title>"), std::string::npos) << dom;
    for (const Typed& t : typed) {
      EXPECT_NE(dom.find("\n" + t.question + "\n"), std::string::npos) << t.question;
      // An answer "as is" is markup: the browser shows its text, in its element.
      EXPECT_NE(dom.find(t.format == "3" ? "مرحبا بالعالم ١٢٣</p>" : t.answer), std::string::npos)
          << t.answer;
    }
    EXPECT_EQ(dom.find("\uFFFD"), std::string::npos) << "a character the browser could not read";
    EXPECT_EQ(dom.find("&amp;#"), std::string::npos) << "a reference shown as text";
  }
}

}  // namespace
}  // namespace quorella::testing
