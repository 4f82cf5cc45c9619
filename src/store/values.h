#pragma once
// Every value the program keeps in the settings store, with its type and default: the one table
// that the window, the command line and the generator all read.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "store/settings.h"

namespace quorella {

enum class ValueKind { String, Integer, Boolean, Colour };

struct ValueDefinition {
  std::string_view name;
  ValueKind kind;
  std::string_view text_default;  // string values
  std::int32_t int_default;       // integers, booleans (1/0) and colours
  // The default is a folder followed by text_default: the default output folder for a per-FAQ
  // value, the application directory for an application-wide one.
  bool in_folder = false;
};

// Per-FAQ values, in the order of the values table.
enum class FaqValue {
  TotalQuestions,
  Directory,
  DocumentExt,
  StartPage,
  AnswerPageName,
  AnswerSubPagePrefix,
  QuestionPageName,
  QuestionFrameSize,
  FrameIt,
  DisableBanner,
  Layout,
  Frames,
  AnswersPage,
  Title,
  FontName,
  FontSize,
  AnswerBackImage,
  QuestionBackImage,
  AnswerPageColor,
  AnswerTextColor,
  AnswerLinkColor,
  AnswerVisitedLinkColor,
  AnswerActiveLinkColor,
  AQuestionBackColor,
  AQuestionTextColor,
  QuestionPageColor,
  QuestionTextColor,
  QuestionLinkColor,
  QuestionVisitedLinkColor,
  QuestionActiveLinkColor,
  LinkQuestionsText,
  LinkTopText,
  LinkPreviousText,
  LinkNextText,
  StaticClickOnQ,
  BlankLineBetweenQuestions,
  PageStyle,
  Language,
  Description,
  SiteAddress,
  UseMyColors,
  StructuredData,
};
inline constexpr std::size_t kFaqValueCount = 42;

// Application-wide values.
// Width and Height are the main window's size at the last shutdown; 0 lets the window choose one
// that shows every page whole.
enum class AppValue { Top, Left, LastFAQ, CustomColors, BackupDir, Width, Height };
inline constexpr std::size_t kAppValueCount = 7;

// Colour values as stored: 0x00BBGGRR.
namespace colour {
inline constexpr std::int32_t kSilver = 0xC0C0C0;
inline constexpr std::int32_t kBlack = 0x000000;
inline constexpr std::int32_t kBlue = 0xFF0000;
inline constexpr std::int32_t kPurple = 0x800080;
inline constexpr std::int32_t kRed = 0x0000FF;
}  // namespace colour

// Layout choices.
inline constexpr std::int32_t kLayoutSimple = 0, kLayoutFrames = 1;
inline constexpr std::int32_t kFramesHorizontal = 0, kFramesVertical = 1;
inline constexpr std::int32_t kOnePerPage = 0, kAllOnSamePage = 1;
inline constexpr std::int32_t kPageStyleClassic = 0, kPageStyleModern = 1;

const ValueDefinition& Definition(FaqValue value);
const ValueDefinition& Definition(AppValue value);
// The per-FAQ value of that name, compared without regard to case.
std::optional<FaqValue> FaqValueByName(std::string_view name);

// The name the start-page editor writes its value under (the same value as "StartPage").
inline constexpr std::string_view kStartPageWrittenName = "Startpage";

// All per-FAQ values of one FAQ, read in one pass with their defaults.
class FaqValues {
 public:
  // Every value at its default; `output_dir` is the default output folder (`Directory`).
  explicit FaqValues(std::string_view output_dir);
  // Every value from the FAQ key, defaults for the missing ones. A value of another type than its
  // table entry fails with "Invalid data type for 'NAME'". With `only`, just those values are
  // read (the others stay at their defaults), and only they can fail.
  static FaqValues Read(const Settings& settings, std::string_view faq_key,
                        std::string_view output_dir, std::span<const FaqValue> only = {});

  const std::string& Text(FaqValue value) const;
  std::int32_t Integer(FaqValue value) const;
  bool Boolean(FaqValue value) const { return Integer(value) != 0; }

  void SetText(FaqValue value, std::string text);
  void SetInteger(FaqValue value, std::int32_t number);

  // The value as the command line shows it: strings as they are, numbers in decimal.
  std::string Display(FaqValue value) const;

 private:
  std::array<std::string, kFaqValueCount> texts_;
  std::array<std::int32_t, kFaqValueCount> numbers_{};
};

// Writes one per-FAQ value with the type of its table entry.
void WriteFaqValue(Settings& settings, std::string_view faq_key, FaqValue value,
                   std::string_view text);
// `along` as for Settings::WriteSettingInteger (an integer value only).
void WriteFaqValue(Settings& settings, std::string_view faq_key, FaqValue value,
                   std::int32_t number, const std::function<void()>& along = {});

// Application-wide values with their defaults.
std::string ReadAppString(const Settings& settings, std::string_view app_key, AppValue value,
                          std::string_view app_dir);
std::int32_t ReadAppInteger(const Settings& settings, std::string_view app_key, AppValue value);

// Key paths.
std::string FaqsKey(std::string_view app_key);
std::string FaqKey(std::string_view app_key, std::string_view faq_name);
std::string DocumentPath(std::string_view app_dir, std::string_view faq_name);

}  // namespace quorella
