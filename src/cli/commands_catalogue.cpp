// list, add, delete, duplicate, get, set: the FAQ catalogue and the per-FAQ values.
#include <cstdint>
#include <vector>

#include "cli/cli_app.h"
#include "store/catalogue.h"
#include "store/values.h"
#include "util/errors.h"
#include "util/strings.h"

namespace quorella::cli {

namespace {

struct Args {
  std::string name, other, value_name, text;
  std::vector<std::string> value_names;
};

bool ParseDecimal(std::string_view text, std::int32_t& value) {
  std::size_t i = text.starts_with('-') || text.starts_with('+') ? 1 : 0;
  if (i == text.size()) return false;
  std::int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > 0x80000000LL) return false;
  }
  const std::int64_t signed_value = text.starts_with('-') ? -magnitude : magnitude;
  if (signed_value > INT32_MAX || signed_value < INT32_MIN) return false;
  value = static_cast<std::int32_t>(signed_value);
  return true;
}

// "#RRGGBB" in HTML order, stored as 0x00BBGGRR.
bool ParseHtmlColour(std::string_view text, std::int32_t& value) {
  if (text.size() != 7 || text[0] != '#') return false;
  std::uint32_t rgb = 0;
  for (char c : text.substr(1)) {
    const int digit = c >= '0' && c <= '9'   ? c - '0'
                      : c >= 'a' && c <= 'f' ? c - 'a' + 10
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                             : -1;
    if (digit < 0) return false;
    rgb = rgb * 16 + static_cast<std::uint32_t>(digit);
  }
  value = static_cast<std::int32_t>(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
  return true;
}

std::int32_t NumberFor(const ValueDefinition& definition, const std::string& text) {
  std::int32_t value = 0;
  bool ok = ParseDecimal(text, value);
  if (!ok && definition.kind == ValueKind::Boolean) {
    if (EqualsNoCase(text, "true"))
      value = 1, ok = true;
    else if (EqualsNoCase(text, "false"))
      value = 0, ok = true;
  }
  if (!ok && definition.kind == ValueKind::Colour) ok = ParseHtmlColour(text, value);
  if (!ok)
    throw Error("\"" + text + "\" is not a valid value for " + std::string(definition.name) + ".");
  return value;
}

FaqValue ValueNamed(std::string_view name) {
  const auto value = FaqValueByName(name);
  if (!value) throw Error("Unknown value name \"" + std::string(name) + "\".");
  return *value;
}

void List(RunState& state) {
  for (const auto& name : ListFaqs(state.context())) PrintLine(name);
}

void Add(RunState& state, const Args& args) {
  AppContext& context = state.context();
  AddFaq(context, args.name);
}

void Delete(RunState& state, const Args& args) {
  AppContext& context = state.context();
  DeleteFaq(context, args.name);
}

void Duplicate(RunState& state, const Args& args) {
  AppContext& context = state.context();
  DuplicateFaq(context, args.name, args.other);
}

void Get(RunState& state, const Args& args) {
  AppContext& context = state.context();
  const std::string name = ResolveFaq(context, args.name);
  std::vector<FaqValue> wanted;
  for (const auto& value_name : args.value_names) wanted.push_back(ValueNamed(value_name));
  if (wanted.empty())
    for (std::size_t i = 0; i < kFaqValueCount; ++i) wanted.push_back(static_cast<FaqValue>(i));
  // Only the values asked for: another of the wrong type is no reason to fail.
  const FaqValues values =
      FaqValues::Read(context.settings(), context.FaqKey(name), context.output_dir(), wanted);
  for (FaqValue value : wanted)
    PrintLine(std::string(Definition(value).name) + "=" + values.Display(value));
}

void Set(RunState& state, const Args& args) {
  AppContext& context = state.context();
  const std::string key = context.FaqKey(ResolveFaq(context, args.name));
  const FaqValue value = ValueNamed(args.value_name);
  if (Definition(value).kind == ValueKind::String)
    WriteFaqValue(context.settings(), key, value, std::string_view(args.text));
  else
    WriteFaqValue(context.settings(), key, value, NumberFor(Definition(value), args.text));
}

void RegisterCatalogueCommands(CLI::App& app, RunState& state) {
  auto args = std::make_shared<Args>();
  AddCommand(app, "list", "the FAQ names, one a line", [&state] { List(state); });
  AddCommand(app, "add", "add a FAQ named NAME", [&state, args] { Add(state, *args); })
      ->add_option("NAME", args->name)
      ->required();
  AddCommand(app, "delete", "delete the FAQ NAME with its document",
             [&state, args] { Delete(state, *args); })
      ->add_option("NAME", args->name)
      ->required();
  auto* duplicate = AddCommand(app, "duplicate", "copy the FAQ NAME as NEW",
                               [&state, args] { Duplicate(state, *args); });
  duplicate->add_option("NAME", args->name)->required();
  duplicate->add_option("NEW", args->other)->required();
  auto* get = AddCommand(app, "get", "show per-FAQ values as Value=text (all when none is named)",
                         [&state, args] { Get(state, *args); });
  get->add_option("NAME", args->name)->required();
  get->add_option("VALUE", args->value_names);
  auto* set =
      AddCommand(app, "set", "store one per-FAQ value", [&state, args] { Set(state, *args); });
  set->add_option("NAME", args->name)->required();
  set->add_option("VALUE", args->value_name)->required();
  set->add_option("TEXT", args->text)->required();
}

const bool kRegistered = RegisterCommandGroup(10, &RegisterCatalogueCommands);

}  // namespace

}  // namespace quorella::cli
