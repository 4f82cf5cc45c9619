#pragma once
// A private settings store and application directory for the backup tests, with direct access to
// the raw values.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "store/app_context.h"
#include "store/registry.h"
#include "support/temp_dir.h"

namespace quorella::testing {

inline constexpr const char* kAppKey = "Software\\Tamsel Software\\Quorella";

class StoreTest : public ::testing::Test {
 public:
  StoreTest();

  Registry& registry() { return context.settings().registry(); }
  // Sets a value, creating its key.
  void Put(std::string_view key, std::string_view name, const RawValue& value,
           Root root = Root::CurrentUser);
  void PutString(std::string_view key, std::string_view name, std::string_view text);
  void PutInteger(std::string_view key, std::string_view name, std::int32_t number);
  std::optional<RawValue> Get(std::string_view key, std::string_view name,
                              Root root = Root::CurrentUser) const;
  bool KeyExists(std::string_view key, Root root = Root::CurrentUser) const;
  // Every key below `key` (itself included) with its values, one line each, in a form of its own:
  // "path | name | type | bytes in hex". Empty when the key is missing.
  std::string Dump(std::string_view key, Root root = Root::CurrentUser) const;

  TempDir dir;
  std::string app_dir = dir / "app/";
  AppContext context{dir / "config/settings.db", app_dir, false};
};

}  // namespace quorella::testing
