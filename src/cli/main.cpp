// quorella-cli: Quorella's work without a window.
#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "cli/cli_app.h"
#include "quorella/version_info.h"
#include "store/sqlite.h"
#include "util/errors.h"
#include "util/unicode.h"

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;

void PrintHelp(const CLI::App& app) {
  std::printf(
      "usage: quorella-cli [--test] COMMAND [ARGUMENTS]\n"
      "       quorella-cli --help | --version\n\n"
      "Commands:\n");
  for (const CLI::App* command : app.get_subcommands([](const CLI::App*) { return true; })) {
    std::string usage = command->get_name();
    for (const CLI::Option* option : command->get_options()) {
      if (!option->get_positional()) continue;
      // Only a list (get's VALUE ...) takes more than one word; backup's DIR takes one.
      const std::string words =
          option->get_name() + (option->get_items_expected_max() > 1 ? " ..." : "");
      usage += option->get_required() ? " " + words : " [" + words + "]";
    }
    for (const CLI::Option* option : command->get_options())
      if (option->nonpositional() && option->get_name() != "--help" && option->get_name() != "-h")
        usage += " [" + option->get_name() +
                 (option->get_type_size() > 0 && !option->get_type_name().empty()
                      ? " " + option->get_type_name()
                      : "") +
                 "]";
    // Two spaces at least between the usage and its description, which the completion and the
    // check against the manual page split on.
    std::printf("  %-58s  %s\n", usage.c_str(), command->get_description().c_str());
  }
  std::printf(
      "\nOptions:\n"
      "  --test      use the test key of the settings store for the whole run\n"
      "  --help      show this help\n"
      "  --version   show the version\n");
}

// The first argument that is not valid UTF-8, shown with its bad bytes as \xNN so the terminal can
// print it; nullopt when every argument is valid.
std::optional<std::string> InvalidArgument(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument(argv[i]);
    if (quorella::IsValidUtf8(argument)) continue;
    std::string shown;
    for (std::size_t pos = 0; pos < argument.size();) {
      std::size_t bad = 0;
      const std::string_view rest = argument.substr(pos);
      if (quorella::IsValidUtf8(rest, &bad)) bad = rest.size();
      shown.append(rest.substr(0, bad));
      pos += bad;
      if (pos < argument.size()) {
        char escaped[5];
        std::snprintf(escaped, sizeof escaped, "\\x%02X",
                      static_cast<unsigned char>(argument[pos]));
        shown += escaped;
        ++pos;
      }
    }
    return "argument " + std::to_string(i) + " \"" + shown + "\" is not valid UTF-8";
  }
  return std::nullopt;
}

void PrintUsageError(const std::string& problem) {
  std::fprintf(stderr, "quorella-cli: %s\nRun \"quorella-cli --help\" for the commands.\n",
               problem.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  using namespace quorella;
  // A command runs once and ends: the memory of a document read and let go serves the next read
  // instead of going back to the system and being faulted in again (a Go reads its document twice).
  // The peak stays what it was.
  mallopt(M_MMAP_THRESHOLD, 256 << 20);
  mallopt(M_TRIM_THRESHOLD, 512 << 20);
  CLI::App app("Quorella's work without a window", "quorella-cli");
  app.set_help_flag();
  bool help = false, version = false;
  cli::RunState state;
  app.add_flag("--help,-h", help, "show this help");
  app.add_flag("--version", version, "show the version");
  app.add_flag("--test", state.test_key, "use the test key");
  cli::AddRegisteredCommands(app, state);
  app.require_subcommand(0, 1);

  if (const auto problem = InvalidArgument(argc, argv)) {
    PrintUsageError(*problem);
    return kUsage;
  }
  // On a terminal a user watches the command: it waits longer for another Quorella's write.
  if (::isatty(STDIN_FILENO) == 1) sqlite::SetBusyWait(sqlite::kInteractiveStoreWait);
  try {
    app.parse(argc, argv);
    state.PrintNotices();
    if (help) {
      PrintHelp(app);
      return 0;
    }
    if (version) {
      std::printf("quorella-cli %s\n", version::kFileVersion);
      return 0;
    }
    if (app.get_subcommands().empty()) {
      PrintHelp(app);
      return kUsage;
    }
  } catch (const CLI::ParseError& e) {
    if (help) {
      PrintHelp(app);
      return 0;
    }
    PrintUsageError(e.what());
    return kUsage;
  } catch (const Error& e) {
    std::fflush(stdout);
    state.PrintNotices();
    std::fprintf(stderr, "%s\n", e.what());
    return kFailed;
  } catch (const std::exception& e) {
    std::fflush(stdout);
    state.PrintNotices();
    std::fprintf(stderr, "%s\n", e.what());
    return kFailed;
  }
  return 0;
}
