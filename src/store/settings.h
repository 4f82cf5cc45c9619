#pragma once
// Typed values under key paths of the per-user root, with defaults on every read.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "store/registry.h"

namespace quorella {

// The application key in force: the test key when the run was started with "test".
std::string ApplicationKey(bool test_key);

class Settings {
 public:
  explicit Settings(std::string database_path) : registry_(std::move(database_path)) {}

  // Whether a write creates its key when it is missing, or writes nothing and says so.
  enum class MissingKey { Create, Refuse };
  // Each returns false only when `missing` is Refuse and the key is not there: the value and the
  // key's existence are one transaction, so a key deleted by another process is never made again.
  bool WriteSettingString(std::string_view key, std::string_view name, std::string_view text,
                          MissingKey missing = MissingKey::Create);
  // `along`, when given, runs inside the same transaction once the value is set (a document
  // written with the count it goes with): when it throws, the value is not written and its error
  // goes on unchanged; when the store cannot be written, `along` does not run.
  bool WriteSettingInteger(std::string_view key, std::string_view name, std::int32_t value,
                           MissingKey missing = MissingKey::Create,
                           const std::function<void()>& along = {});
  bool WriteSettingBool(std::string_view key, std::string_view name, bool value,
                        MissingKey missing = MissingKey::Create);

  // The stored value, or `fallback` when the key or the value is missing. A value stored with
  // another type fails with "Invalid data type for 'NAME'".
  std::string ReadSettingString(std::string_view key, std::string_view name,
                                std::string_view fallback) const;
  std::int32_t ReadSettingInteger(std::string_view key, std::string_view name,
                                  std::int32_t fallback) const;
  bool ReadSettingBool(std::string_view key, std::string_view name, bool fallback) const;

  // Every value of a key in enumeration order (empty when the key is missing); one read.
  std::vector<NamedValue> ReadValues(std::string_view key) const;
  // Several values of one key in a single transaction.
  void WriteValues(std::string_view key, const std::vector<NamedValue>& values);

  bool KeyExists(std::string_view key) const;
  // Names of the direct subkeys, ascending without regard to case; empty when the key is missing.
  std::vector<std::string> SubkeyNames(std::string_view key) const;
  // Creates the key (and its parents) when missing.
  void CreateKey(std::string_view key);
  // The key with all values and subkeys; false when it did not exist.
  bool DeleteKeyTree(std::string_view key);
  // Nothing when the source is missing or the target exists; false then.
  bool CopyKeyTree(std::string_view from, std::string_view to);

  Registry& registry() { return registry_; }
  const Registry& registry() const { return registry_; }

 private:
  Registry registry_;
};

// Typed decoding shared by the single reads and the bulk reads of a key's values.
std::string StringFromValue(const RawValue& value, std::string_view name);
std::int32_t IntegerFromValue(const RawValue& value, std::string_view name);

}  // namespace quorella
