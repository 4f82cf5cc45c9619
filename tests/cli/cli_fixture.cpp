#include "cli/cli_fixture.h"

#include <filesystem>

namespace quorella::testing {

CliTest::CliTest() : app_dir(dir / "app/"), config_dir(dir / "config") {
  std::filesystem::create_directories(app_dir);
}

ProcessResult CliTest::Run(const std::vector<std::string>& args, const std::string& input) {
  return RunProcess(
      QUORELLA_CLI_PATH, args,
      {{"QUORELLA_HOME", app_dir}, {"XDG_CONFIG_HOME", config_dir}, {"HOME", dir / "home"}}, input);
}

std::string CliTest::Ok(const std::vector<std::string>& args) {
  const ProcessResult result = Run(args);
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.err, "");
  return result.out;
}

}  // namespace quorella::testing
