#include "app/option_bindings.h"

#include <array>

namespace quorella::app {

namespace {

using S = FixedSection;
using V = FaqValue;
using widgets::ColourLabel;
using widgets::ColourPanel;
using widgets::RadioGroup;

constexpr std::array kBindings = {
    // General
    Bind<QLineEdit>("edtDirectory", TextValue(V::Directory)),
    Bind<QLineEdit>("StartPage", TextValue(V::StartPage)),
    Bind<QLineEdit>("edtExt", TextValue(V::DocumentExt)),
    Bind<QComboBox>("FontName", TextValue(V::FontName)),
    Bind<QSpinBox>("FontSize", NumberValue(V::FontSize)),
    Bind<QCheckBox>("chkQBlankLine", FlagValue(V::BlankLineBetweenQuestions)),
    Bind<QCheckBox>("DisableBanner", FlagValue(V::DisableBanner)),
    Bind<QLineEdit>("Title", TextValue(V::Title)),
    Bind<QPlainTextEdit>("HeaderCode", SectionText(S::HeaderCode)),
    // Layout
    Bind<RadioGroup>("RadioPageStyle", NumberValue(V::PageStyle)),
    Bind<QLineEdit>("edtLanguage", TextValue(V::Language)),
    Bind<QLineEdit>("edtDescription", TextValue(V::Description)),
    Bind<QLineEdit>("edtSiteAddress", TextValue(V::SiteAddress)),
    Bind<QCheckBox>("chkUseMyColors", FlagValue(V::UseMyColors)),
    Bind<QCheckBox>("chkStructuredData", FlagValue(V::StructuredData)),
    Bind<RadioGroup>("RadioLayout", NumberValue(V::Layout)),
    Bind<RadioGroup>("RadioFrames", NumberValue(V::Frames)),
    Bind<RadioGroup>("RadioAnswers", NumberValue(V::AnswersPage)),
    Bind<QLineEdit>("PagePrefix", TextValue(V::AnswerSubPagePrefix)),
    Bind<QLineEdit>("APageName", TextValue(V::AnswerPageName)),
    Bind<QLineEdit>("FrameSize", TextValue(V::QuestionFrameSize)),
    Bind<QCheckBox>("FrameIt", FlagValue(V::FrameIt)),
    Bind<QPlainTextEdit>("FrameHead", SectionText(S::FrameHeaderCode)),
    // Answer Page
    Bind<ColourPanel>("APageColor", ColourValue(V::AnswerPageColor)),
    Bind<ColourLabel>("ATextColor", ColourValue(V::AnswerTextColor)),
    Bind<ColourLabel>("ALinkColor", ColourValue(V::AnswerLinkColor)),
    Bind<ColourLabel>("AVLinkColor", ColourValue(V::AnswerVisitedLinkColor)),
    Bind<ColourLabel>("AALinkColor", ColourValue(V::AnswerActiveLinkColor)),
    Bind<ColourPanel>("AQuestionBackColor", ColourValue(V::AQuestionBackColor)),
    Bind<ColourLabel>("AQTextColor", ColourValue(V::AQuestionTextColor)),
    Bind<QLineEdit>("AnswerBackImage", TextValue(V::AnswerBackImage)),
    Bind<QPlainTextEdit>("Header", SectionText(S::AnswerHeader)),
    Bind<QPlainTextEdit>("Footer", SectionText(S::AnswerFooter)),
    // Question Page
    Bind<QLineEdit>("QPageName", TextValue(V::QuestionPageName)),
    Bind<ColourPanel>("QPageColor", ColourValue(V::QuestionPageColor)),
    Bind<ColourLabel>("QTextColor", ColourValue(V::QuestionTextColor)),
    Bind<ColourLabel>("QLinkColor", ColourValue(V::QuestionLinkColor)),
    Bind<ColourLabel>("QVLinkColor", ColourValue(V::QuestionVisitedLinkColor)),
    Bind<ColourLabel>("QALinkColor", ColourValue(V::QuestionActiveLinkColor)),
    Bind<QLineEdit>("QuestionBackImage", TextValue(V::QuestionBackImage)),
    Bind<QPlainTextEdit>("QHeader", SectionText(S::QuestionHeader)),
    Bind<QPlainTextEdit>("QFooter", SectionText(S::QuestionFooter)),
    // Links
    Bind<QLineEdit>("LinkQuestions", TextValue(V::LinkQuestionsText)),
    Bind<QLineEdit>("LinkTop", TextValue(V::LinkTopText)),
    Bind<QLineEdit>("LinkPrevious", TextValue(V::LinkPreviousText)),
    Bind<QLineEdit>("LinkNext", TextValue(V::LinkNextText)),
    Bind<QLineEdit>("staticClickOnQ", TextValue(V::StaticClickOnQ)),
};

}  // namespace

std::span<const OptionBinding> OptionBindings() {
  return kBindings;
}

}  // namespace quorella::app
