#pragma once
// A private settings store and application directory for the tests that import into a catalogue.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "store/app_context.h"
#include "support/temp_dir.h"
#include "util/errors.h"
#include "util/file_io.h"

namespace quorella::testing {

class ImportTest : public ::testing::Test {
 protected:
  TempDir dir;
  AppContext context{dir / "config/settings.db", dir / "app", false};
  void SetUp() override { CreateDirectories(dir / "app"); }

  // The message of the Error `action` throws; empty when it throws none.
  static std::string ErrorOf(const std::function<void()>& action) {
    try {
      action();
    } catch (const Error& e) {
      return e.what();
    }
    return "";
  }

  // The FAQ's stored TotalQuestions; -1 when it has none.
  std::int32_t StoredCount(std::string_view name) const {
    return context.settings().ReadSettingInteger(context.FaqKey(name), "TotalQuestions", -1);
  }
};

}  // namespace quorella::testing
