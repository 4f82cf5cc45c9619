#pragma once
// The frame every quorella-cli command plugs into: the shared options, the context of the run and
// the output conventions (UTF-8 text, as the program keeps it, one item a line).
#include <CLI/CLI.hpp>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "store/app_context.h"

namespace quorella::cli {

struct RunState {
  bool test_key = false;
  // Created on first use, after the command line has chosen the key.
  AppContext& context();
  // Writes what the run must tell the user once (AppContext::TakeNotices) to standard error.
  void PrintNotices();

 private:
  std::unique_ptr<AppContext> context_;
};

// Writes one line to standard output.
void PrintLine(std::string_view text);
// Writes progress to standard error, only when it is a terminal.
void Progress(std::string_view text);
bool StderrIsTerminal();

// The catalogue's spelling of `name`, or the error "There is no FAQ named ...".
std::string ResolveFaq(AppContext& context, std::string_view name);

// Adds a subcommand whose action runs `action` after parsing.
CLI::App* AddCommand(CLI::App& app, const std::string& name, const std::string& help,
                     std::function<void()> action);

// Command groups, each in a file of its own (commands_*.cpp), register themselves at start-up:
//   const bool kRegistered = RegisterCommandGroup(20, &RegisterMyCommands);
// `order` places the group's commands in the help text.
using CommandGroup = void (*)(CLI::App& app, RunState& state);
bool RegisterCommandGroup(int order, CommandGroup group);
// Adds every registered group's commands to `app`, in order.
void AddRegisteredCommands(CLI::App& app, RunState& state);

}  // namespace quorella::cli
