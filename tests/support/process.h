#pragma once
// Runs a program and captures what it prints.
#include <map>
#include <string>
#include <vector>

namespace quorella::testing {

struct ProcessResult {
  int exit_code = -1;
  std::string out;
  std::string err;
};

// Runs `program` with `args`; `env` entries are added to (or replace) the environment.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::map<std::string, std::string>& env = {},
                         const std::string& input = {});

}  // namespace quorella::testing
