#pragma once
// Runs quorella-cli in a private home: its own settings store and application directory.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/process.h"
#include "support/temp_dir.h"

namespace quorella::testing {

class CliTest : public ::testing::Test {
 protected:
  CliTest();
  ProcessResult Run(const std::vector<std::string>& args, const std::string& input = {});
  // Runs and expects success; returns standard output.
  std::string Ok(const std::vector<std::string>& args);

  TempDir dir;
  std::string app_dir;     // $QUORELLA_HOME, with a trailing '/'
  std::string config_dir;  // $XDG_CONFIG_HOME
};

}  // namespace quorella::testing
