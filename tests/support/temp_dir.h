#pragma once
// A fresh directory per test, removed with everything in it afterwards.
#include <string>
#include <string_view>

namespace quorella::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The directory with a trailing '/'.
  const std::string& path() const { return path_; }
  std::string operator/(std::string_view name) const { return path_ + std::string(name); }

 private:
  std::string path_;
};

// Sets an environment variable for the lifetime of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  bool had_value_;
  std::string old_value_;
};

// Writes bytes to a file, creating its folder.
void WriteFile(const std::string& path, std::string_view bytes);
// The file's bytes; empty when missing.
std::string ReadFile(const std::string& path);
// The project's source tree (tests read samples and golden files from it).
std::string SourceDir();

}  // namespace quorella::testing
