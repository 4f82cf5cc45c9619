#include "html/golden.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "html/manifest.h"
#include "support/temp_dir.h"
#include "util/file_io.h"
#include "util/paths.h"

namespace quorella::testing {

namespace {

bool Updating() {
  const char* update = std::getenv("QUORELLA_UPDATE_GOLDEN");
  return update != nullptr && std::string(update) == "1";
}

// The list of files a Go keeps beside its pages: its stamps differ from run to run, so only the
// names it lists are compared.
bool IsManifest(const std::string& name) {
  return name.size() > 9 && name.front() == '.' && name.ends_with(".quorella");
}

std::vector<std::string> Pages(const std::vector<std::string>& files) {
  std::vector<std::string> pages;
  for (const std::string& file : files)
    if (!IsManifest(file)) pages.push_back(file);
  return pages;
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
  const std::vector<std::string> golden_files = ListDirectory(golden_dir);
  EXPECT_EQ(Pages(files), Pages(golden_files)) << "the files of " << name;
  for (const std::string& file : golden_files) {
    if (IsManifest(file)) {
      EXPECT_EQ(html::ReadManifest(IncludeTrailingSlash(output_dir) + file),
                html::ReadManifest(golden_dir + file))
          << name << "/" << file;
    }
  }
  for (const std::string& file : Pages(files))
    EXPECT_EQ(ReadFile(IncludeTrailingSlash(output_dir) + file), ReadFile(golden_dir + file))
        << name << "/" << file;
}

}  // namespace quorella::testing
