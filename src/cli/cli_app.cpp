#include "cli/cli_app.h"

#include <unistd.h>

#include <cstdio>

#include "store/catalogue.h"
#include "util/errors.h"

namespace quorella::cli {

AppContext& RunState::context() {
  if (!context_) context_ = std::make_unique<AppContext>(AppContext::FromEnvironment(test_key));
  return *context_;
}

void PrintLine(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
}

bool StderrIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

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

CLI::App* AddCommand(CLI::App& app, const std::string& name, const std::string& help,
                     std::function<void()> action) {
  CLI::App* command = app.add_subcommand(name, help);
  command->callback(std::move(action));
  return command;
}

}  // namespace quorella::cli
