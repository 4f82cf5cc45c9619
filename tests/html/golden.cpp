#include "html/golden.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "support/temp_dir.h"
#include "util/file_io.h"
#include "util/paths.h"

namespace quorella::testing {

namespace {

bool Updating() {
  const char* update = std::getenv("QUORELLA_UPDATE_GOLDEN");
  return update != nullptr && std::string(update) == "1";
}

}  // namespace

void ExpectFolderMatchesGolden(const std::string& name, const std::string& output_dir) {
  const std::string golden_dir = SourceDir() + "tests/html/golden/" + name + "/";
  const std::vector<std::string> files = ListDirectory(output_dir);
  ASSERT_FALSE(files.empty()) << "nothing written for " << name;
  if (Updating()) {
    std::filesystem::remove_all(golden_dir);
    for (const std::string& file : files)
      WriteFile(golden_dir + file, ReadFile(IncludeTrailingSlash(output_dir) + file));
    return;
  }
  EXPECT_EQ(files, ListDirectory(golden_dir)) << "the files of " << name;
  for (const std::string& file : files)
    EXPECT_EQ(ReadFile(IncludeTrailingSlash(output_dir) + file), ReadFile(golden_dir + file))
        << name << "/" << file;
}

}  // namespace quorella::testing
