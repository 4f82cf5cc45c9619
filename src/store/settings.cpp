#include "store/settings.h"

#include <cerrno>
#include <exception>
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

bool WriteRaw(Registry& registry, std::string_view key, std::string_view name,
              const RawValue& value, Settings::MissingKey missing,
              const std::function<void()>& along = {}) {
  bool written = false;
  std::exception_ptr along_failed;
  try {
    registry.Write([&](RegistrySession& session) {
      std::optional<KeyId> id = session.OpenKey(kUserRoot, key);
      if (!id && missing == Settings::MissingKey::Refuse) return;
      if (!id) id = session.CreateKey(kUserRoot, key);
      session.SetValue(*id, name, value);
      if (along) {
        try {
          along();
        } catch (...) {
          along_failed = std::current_exception();
          throw;  // the transaction is rolled back
        }
      }
      written = true;
    });
  } catch (...) {
    if (along_failed) std::rethrow_exception(along_failed);
    try {
      throw;
    } catch (const Error& e) {
      throw FailedToSet(name, e);
    }
  }
  return written;
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

bool Settings::WriteSettingString(std::string_view key, std::string_view name,
                                  std::string_view text, MissingKey missing) {
  return WriteRaw(registry_, key, name, RawValue::String(text), missing);
}

bool Settings::WriteSettingInteger(std::string_view key, std::string_view name, std::int32_t value,
                                   MissingKey missing, const std::function<void()>& along) {
  return WriteRaw(registry_, key, name, RawValue::Integer(value), missing, along);
}

bool Settings::WriteSettingBool(std::string_view key, std::string_view name, bool value,
                                MissingKey missing) {
  return WriteRaw(registry_, key, name, RawValue::Integer(value ? 1 : 0), missing);
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
