#include "store/values.h"

#include <algorithm>

#include "store/faq_name.h"
#include "util/errors.h"
#include "util/strings.h"
#include "util/unicode.h"

namespace quorella {

namespace {

using K = ValueKind;

constexpr std::array<ValueDefinition, kFaqValueCount> kFaqDefinitions = {{
    {"TotalQuestions", K::Integer, "", 0},
    {"Directory", K::String, "", 0, true},
    {"DocumentExt", K::String, "html", 0},
    {"StartPage", K::String, "faq.html", 0},
    {"AnswerPageName", K::String, "answer.html", 0},
    {"AnswerSubPagePrefix", K::String, "ans", 0},
    {"QuestionPageName", K::String, "question.html", 0},
    {"QuestionFrameSize", K::String, "25%", 0},
    {"FrameIt", K::Boolean, "", 1},
    {"DisableBanner", K::Boolean, "", 0},
    {"Layout", K::Integer, "", kLayoutSimple},
    {"Frames", K::Integer, "", kFramesHorizontal},
    {"AnswersPage", K::Integer, "", kAllOnSamePage},
    {"Title", K::String, "FAQ", 0},
    {"FontName", K::String, "", 0},
    {"FontSize", K::Integer, "", 12},
    {"AnswerBackImage", K::String, "", 0},
    {"QuestionBackImage", K::String, "", 0},
    {"AnswerPageColor", K::Colour, "", colour::kSilver},
    {"AnswerTextColor", K::Colour, "", colour::kBlack},
    {"AnswerLinkColor", K::Colour, "", colour::kBlue},
    {"AnswerVisitedLinkColor", K::Colour, "", colour::kPurple},
    {"AnswerActiveLinkColor", K::Colour, "", colour::kRed},
    {"AQuestionBackColor", K::Colour, "", colour::kSilver},
    {"AQuestionTextColor", K::Colour, "", colour::kBlack},
    {"QuestionPageColor", K::Colour, "", colour::kSilver},
    {"QuestionTextColor", K::Colour, "", colour::kBlack},
    {"QuestionLinkColor", K::Colour, "", colour::kBlue},
    {"QuestionVisitedLinkColor", K::Colour, "", colour::kPurple},
    {"QuestionActiveLinkColor", K::Colour, "", colour::kRed},
    {"LinkQuestionsText", K::String, "Questions", 0},
    {"LinkTopText", K::String, "Go to top", 0},
    {"LinkPreviousText", K::String, "Previous", 0},
    {"LinkNextText", K::String, "Next", 0},
    {"StaticClickOnQ", K::String, "Click on a question for the answer", 0},
    {"BlankLineBetweenQuestions", K::Boolean, "", 1},
    {"PageStyle", K::Integer, "", kPageStyleClassic},
    {"Language", K::String, "en", 0},
    {"Description", K::String, "", 0},
    {"SiteAddress", K::String, "", 0},
    {"UseMyColors", K::Boolean, "", 0},
    {"StructuredData", K::Boolean, "", 0},
}};

constexpr std::array<ValueDefinition, kAppValueCount> kAppDefinitions = {{
    {"Top", K::Integer, "", 150},
    {"Left", K::Integer, "", 200},
    {"LastFAQ", K::Integer, "", 0},
    {"CustomColors", K::String, "", 0},
    {"BackupDir", K::String, "Backup", 0, true},
    {"Width", K::Integer, "", 0},
    {"Height", K::Integer, "", 0},
}};

std::size_t Index(FaqValue value) {
  return static_cast<std::size_t>(value);
}

std::string TextDefault(const ValueDefinition& definition, std::string_view folder) {
  return definition.in_folder ? std::string(folder) + std::string(definition.text_default)
                              : std::string(definition.text_default);
}

}  // namespace

const ValueDefinition& Definition(FaqValue value) {
  return kFaqDefinitions[Index(value)];
}
const ValueDefinition& Definition(AppValue value) {
  return kAppDefinitions[static_cast<std::size_t>(value)];
}

std::optional<FaqValue> FaqValueByName(std::string_view name) {
  for (std::size_t i = 0; i < kFaqValueCount; ++i)
    if (EqualsFolded(kFaqDefinitions[i].name, name)) return static_cast<FaqValue>(i);
  return std::nullopt;
}

FaqValues::FaqValues(std::string_view output_dir) {
  for (std::size_t i = 0; i < kFaqValueCount; ++i) {
    texts_[i] = TextDefault(kFaqDefinitions[i], output_dir);
    numbers_[i] = kFaqDefinitions[i].int_default;
  }
}

FaqValues FaqValues::Read(const Settings& settings, std::string_view faq_key,
                          std::string_view output_dir, std::span<const FaqValue> only) {
  FaqValues values(output_dir);
  for (const auto& stored : settings.ReadValues(faq_key)) {
    const auto which = FaqValueByName(stored.name);
    if (!which || (!only.empty() && std::find(only.begin(), only.end(), *which) == only.end()))
      continue;
    const ValueDefinition& definition = Definition(*which);
    if (definition.kind == ValueKind::String)
      values.texts_[Index(*which)] = StringFromValue(stored.value, definition.name);
    else
      values.numbers_[Index(*which)] = IntegerFromValue(stored.value, definition.name);
  }
  return values;
}

const std::string& FaqValues::Text(FaqValue value) const {
  return texts_[Index(value)];
}
std::int32_t FaqValues::Integer(FaqValue value) const {
  return numbers_[Index(value)];
}
void FaqValues::SetText(FaqValue value, std::string text) {
  texts_[Index(value)] = std::move(text);
}
void FaqValues::SetInteger(FaqValue value, std::int32_t number) {
  numbers_[Index(value)] = number;
}

std::string FaqValues::Display(FaqValue value) const {
  if (Definition(value).kind == ValueKind::String) return Text(value);
  if (Definition(value).kind == ValueKind::Boolean) return Boolean(value) ? "1" : "0";
  return std::to_string(Integer(value));
}

namespace {

// A FAQ's value is written only while its key is there: a FAQ another process deleted is not
// made again, with its other values at their defaults, by a late write.
void Written(bool written, std::string_view faq_key) {
  if (!written) throw Error(messages::NoSuchFaq(faq_key.substr(faq_key.rfind('\\') + 1)));
}

}  // namespace

void WriteFaqValue(Settings& settings, std::string_view faq_key, FaqValue value,
                   std::string_view text) {
  Written(settings.WriteSettingString(faq_key, Definition(value).name, text,
                                      Settings::MissingKey::Refuse),
          faq_key);
}

void WriteFaqValue(Settings& settings, std::string_view faq_key, FaqValue value,
                   std::int32_t number, const std::function<void()>& along) {
  const ValueDefinition& definition = Definition(value);
  constexpr auto kRefuse = Settings::MissingKey::Refuse;
  Written(definition.kind == ValueKind::Boolean
              ? settings.WriteSettingBool(faq_key, definition.name, number != 0, kRefuse)
              : settings.WriteSettingInteger(faq_key, definition.name, number, kRefuse, along),
          faq_key);
}

std::string ReadAppString(const Settings& settings, std::string_view app_key, AppValue value,
                          std::string_view app_dir) {
  const ValueDefinition& definition = Definition(value);
  return settings.ReadSettingString(app_key, definition.name, TextDefault(definition, app_dir));
}

std::int32_t ReadAppInteger(const Settings& settings, std::string_view app_key, AppValue value) {
  const ValueDefinition& definition = Definition(value);
  return settings.ReadSettingInteger(app_key, definition.name, definition.int_default);
}

std::string FaqsKey(std::string_view app_key) {
  return std::string(app_key) + "\\FAQs";
}

std::string FaqKey(std::string_view app_key, std::string_view faq_name) {
  return FaqsKey(app_key) + "\\" + std::string(faq_name);
}

std::string DocumentPath(std::string_view app_dir, std::string_view faq_name) {
  if (const auto problem = FaqNameProblem(faq_name)) throw Error(std::string(*problem));
  return std::string(app_dir) + std::string(faq_name) + ".dat";
}

}  // namespace quorella
