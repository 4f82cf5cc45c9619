#include "store/settings.h"

#include <cerrno>
#include <optional>

#include "util/errors.h"

namespace quorella {

namespace {

constexpr Root kUserRoot = Root::CurrentUser;

std::optional<RawValue> ReadRaw(const Registry& registry, std::string_view key,
                                std::string_view name) {
  std::optional<RawValue> value;
  registry.Read([&](const RegistrySession* session) {
    if (session == nullptr) return;
    if (const auto id = session->OpenKey(kUserRoot, key)) value = session->GetValue(*id, name);
  });
  return value;
}

// "Failed to set data for 'NAME'", followed by the reason when the store was busy: the one
// failure the user can end by waiting for the other writer.
Error FailedToSet(std::string_view name, const Error& cause) {
  if (cause.error_number() == EBUSY)
    return Error(messages::FailedToSetData(name) + ". " + cause.what(), EBUSY);
  return Error(messages::FailedToSetData(name));
}

void WriteRaw(Registry& registry, std::string_view key, std::string_view name,
              const RawValue& value) {
  try {
    registry.Write([&](RegistrySession& session) {
      session.SetValue(session.CreateKey(kUserRoot, key), name, value);
    });
  } catch (const Error& e) {
    throw FailedToSet(name, e);
  }
}

}  // namespace

std::string ApplicationKey(bool test_key) {
  return test_key ? "Software\\Tamsel Software\\QuorellaTest"
                  : "Software\\Tamsel Software\\Quorella";
}

std::string StringFromValue(const RawValue& value, std::string_view name) {
  if (!value.IsString()) throw Error(messages::InvalidDataType(name));
  return value.bytes;
}

std::int32_t IntegerFromValue(const RawValue& value, std::string_view name) {
  if (!value.IsInteger()) throw Error(messages::InvalidDataType(name));
  return value.AsInteger();
}

void Settings::WriteSettingString(std::string_view key, std::string_view name,
                                  std::string_view text) {
  WriteRaw(registry_, key, name, RawValue::String(text));
}

void Settings::WriteSettingInteger(std::string_view key, std::string_view name,
                                   std::int32_t value) {
  WriteRaw(registry_, key, name, RawValue::Integer(value));
}

void Settings::WriteSettingBool(std::string_view key, std::string_view name, bool value) {
  WriteRaw(registry_, key, name, RawValue::Integer(value ? 1 : 0));
}

std::string Settings::ReadSettingString(std::string_view key, std::string_view name,
                                        std::string_view fallback) const {
  const auto value = ReadRaw(registry_, key, name);
  return value ? StringFromValue(*value, name) : std::string(fallback);
}

std::int32_t Settings::ReadSettingInteger(std::string_view key, std::string_view name,
                                          std::int32_t fallback) const {
  const auto value = ReadRaw(registry_, key, name);
  return value ? IntegerFromValue(*value, name) : fallback;
}

bool Settings::ReadSettingBool(std::string_view key, std::string_view name, bool fallback) const {
  return ReadSettingInteger(key, name, fallback ? 1 : 0) != 0;
}

std::vector<NamedValue> Settings::ReadValues(std::string_view key) const {
  std::vector<NamedValue> values;
  registry_.Read([&](const RegistrySession* session) {
    if (session == nullptr) return;
    if (const auto id = session->OpenKey(kUserRoot, key)) values = session->Values(*id);
  });
  return values;
}

void Settings::WriteValues(std::string_view key, const std::vector<NamedValue>& values) {
  if (values.empty()) return;
  try {
    registry_.Write([&](RegistrySession& session) {
      const KeyId id = session.CreateKey(kUserRoot, key);
      for (const auto& value : values) session.SetValue(id, value.name, value.value);
    });
  } catch (const Error& e) {
    throw FailedToSet(values.front().name, e);
  }
}

bool Settings::KeyExists(std::string_view key) const {
  bool exists = false;
  registry_.Read([&](const RegistrySession* session) {
    exists = session != nullptr && session->OpenKey(kUserRoot, key).has_value();
  });
  return exists;
}

std::vector<std::string> Settings::SubkeyNames(std::string_view key) const {
  std::vector<std::string> names;
  registry_.Read([&](const RegistrySession* session) {
    if (session == nullptr) return;
    if (const auto id = session->OpenKey(kUserRoot, key)) names = session->SubkeyNames(*id);
  });
  return names;
}

void Settings::CreateKey(std::string_view key) {
  registry_.Write([&](RegistrySession& session) { session.CreateKey(kUserRoot, key); });
}

bool Settings::DeleteKeyTree(std::string_view key) {
  if (!KeyExists(key)) return false;
  bool deleted = false;
  registry_.Write(
      [&](RegistrySession& session) { deleted = session.DeleteKeyTree(kUserRoot, key); });
  return deleted;
}

bool Settings::CopyKeyTree(std::string_view from, std::string_view to) {
  if (!KeyExists(from) || KeyExists(to)) return false;
  bool copied = false;
  registry_.Write(
      [&](RegistrySession& session) { copied = session.CopyKeyTree(kUserRoot, from, to); });
  return copied;
}

}  // namespace quorella
