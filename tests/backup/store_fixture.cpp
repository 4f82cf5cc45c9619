#include "backup/store_fixture.h"

#include <filesystem>

namespace quorella::testing {

namespace {

std::string Hex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  for (unsigned char byte : bytes) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 15];
  }
  return text;
}

void DumpKey(const RegistrySession& session, KeyId key, const std::string& path, std::string& out) {
  for (const auto& value : session.Values(key))
    out += path + " | " + value.name + " | " + std::to_string(value.value.type) + " | " +
           Hex(value.value.bytes) + "\n";
  if (session.Values(key).empty()) out += path + "\n";
  for (const auto& name : session.SubkeyNames(key))
    DumpKey(session, *session.OpenSubkey(key, name), path + "\\" + name, out);
}

}  // namespace

StoreTest::StoreTest() {
  std::filesystem::create_directories(app_dir);
}

void StoreTest::Put(std::string_view key, std::string_view name, const RawValue& value, Root root) {
  registry().Write([&](RegistrySession& session) {
    session.SetValue(session.CreateKey(root, key), name, value);
  });
}

void StoreTest::PutString(std::string_view key, std::string_view name, std::string_view text) {
  Put(key, name, RawValue::String(text));
}

void StoreTest::PutInteger(std::string_view key, std::string_view name, std::int32_t number) {
  Put(key, name, RawValue::Integer(number));
}

std::optional<RawValue> StoreTest::Get(std::string_view key, std::string_view name,
                                       Root root) const {
  std::optional<RawValue> value;
  context.settings().registry().Read([&](const RegistrySession* session) {
    if (!session) return;
    if (const auto id = session->OpenKey(root, key)) value = session->GetValue(*id, name);
  });
  return value;
}

bool StoreTest::KeyExists(std::string_view key, Root root) const {
  bool exists = false;
  context.settings().registry().Read([&](const RegistrySession* session) {
    exists = session && session->OpenKey(root, key).has_value();
  });
  return exists;
}

std::string StoreTest::Dump(std::string_view key, Root root) const {
  std::string out;
  context.settings().registry().Read([&](const RegistrySession* session) {
    if (!session) return;
    if (const auto id = session->OpenKey(root, key)) DumpKey(*session, *id, std::string(key), out);
  });
  return out;
}

}  // namespace quorella::testing
