// generate: what "Go" does: the output directory created and the page set written, each path
// printed as its file is written; --open then hands the start page to the desktop's opener.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <optional>
#include <string>

#include "cli/cli_app.h"
#include "html/banner.h"
#include "html/generator.h"

namespace quorella::cli {

namespace {

struct Args {
  std::string name;
  bool open = false;
};

// Starts `xdg-open PATH` and never waits for it: an intermediate child starts the opener in a
// session of its own and ends at once, so the opener outlives us and is not ours to reap. Its
// output goes nowhere, so it can neither mix with ours nor hold our pipes open.
void OpenDetached(const std::string& path) {
  const pid_t child = ::fork();
  if (child < 0) return;  // the opener's result is never checked
  if (child == 0) {
    ::setsid();
    if (::fork() == 0) {
      const int null = ::open("/dev/null", O_RDWR);
      for (int fd = 0; fd <= 2; ++fd) ::dup2(null, fd);
      ::execlp("xdg-open", "xdg-open", path.c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ::_exit(0);
  }
  ::waitpid(child, nullptr, 0);
}

// Prints each path as its file is written, and the status with the count of pages written on
// standard error while that is a terminal.
html::GenerationObserver CliObserver() {
  struct Shown {
    std::string status;
    std::size_t written = 0, total = 0;
    void Show() const {
      Progress((status.empty() ? "" : status + " ") + "(" + std::to_string(written) + "/" +
               std::to_string(total) + ")");
    }
  };
  html::GenerationObserver observer;
  observer.written = [](const std::string& path) { PrintLine(path); };
  // A file the Go removed is named like one it wrote, marked.
  observer.removed = [](const std::string& path) { PrintLine("removed: " + path); };
  // Elsewhere nothing is shown, and the run is spared making a text for every page.
  if (!StderrIsTerminal()) return observer;
  auto shown = std::make_shared<Shown>();
  observer.status = [shown](const std::string& text) {
    shown->status = text;
    shown->Show();
  };
  observer.progress = [shown](std::size_t written, std::size_t total) {
    shown->written = written;
    shown->total = total;
    shown->Show();
  };
  return observer;
}

void Generate(RunState& state, const Args& args) {
  AppContext& context = state.context();
  std::optional<html::StoredGo> go;
  try {
    go = html::GoStoredFaq(context, ResolveFaq(context, args.name), html::BuildBanner(),
                           CliObserver());
  } catch (...) {
    Progress("");
    throw;
  }
  Progress("");
  if (args.open) OpenDetached(html::StartPagePath(go->values));
}

void RegisterGenerateCommands(CLI::App& app, RunState& state) {
  auto args = std::make_shared<Args>();
  auto* generate = AddCommand(app, "generate",
                              "write the page set of NAME (what \"Go\" does); the paths written",
                              [&state, args] { Generate(state, *args); });
  generate->add_option("NAME", args->name)->required();
  generate->add_flag("--open", args->open, "open the start page with xdg-open afterwards");
}

const bool kRegistered = RegisterCommandGroup(40, &RegisterGenerateCommands);

}  // namespace

}  // namespace quorella::cli
