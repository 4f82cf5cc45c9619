#include "cli/cli_app.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "store/catalogue.h"
#include "util/errors.h"

namespace quorella::cli {

AppContext& RunState::context() {
  if (!context_) context_ = std::make_unique<AppContext>(AppContext::FromEnvironment(test_key));
  return *context_;
}

void RunState::PrintNotices() {
  if (!context_) return;
  std::fflush(stdout);
  for (const std::string& notice : context_->TakeNotices())
    std::fprintf(stderr, "%s\n", notice.c_str());
}

void PrintLine(std::string_view text) {
  // A Go prints a line per page from one thread: the stream's lock would be taken for nothing.
  fwrite_unlocked(text.data(), 1, text.size(), stdout);
  fputc_unlocked('\n', stdout);
}

// Asked once: a Go reports progress after every page, and a terminal does not come or go.
bool StderrIsTerminal() {
  static const bool terminal = ::isatty(STDERR_FILENO) == 1;
  return terminal;
}

void Progress(std::string_view text) {
  if (!StderrIsTerminal()) return;
  std::fprintf(stderr, "\r\033[K%.*s", static_cast<int>(text.size()), text.data());
  std::fflush(stderr);
}

std::string ResolveFaq(AppContext& context, std::string_view name) {
  const auto found = FindName(ListFaqs(context), name);
  if (!found) throw Error(messages::NoSuchFaq(name));
  return *found;
}

namespace {
std::vector<std::pair<int, CommandGroup>>& Groups() {
  static std::vector<std::pair<int, CommandGroup>> groups;
  return groups;
}
}  // namespace

bool RegisterCommandGroup(int order, CommandGroup group) {
  Groups().emplace_back(order, group);
  return true;
}

void AddRegisteredCommands(CLI::App& app, RunState& state) {
  auto groups = Groups();
  std::stable_sort(groups.begin(), groups.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& [order, group] : groups) group(app, state);
}

CLI::App* AddCommand(CLI::App& app, const std::string& name, const std::string& help,
                     std::function<void()> action) {
  CLI::App* command = app.add_subcommand(name, help);
  command->callback(std::move(action));
  return command;
}

}  // namespace quorella::cli
