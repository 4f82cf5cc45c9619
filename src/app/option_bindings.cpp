#include "app/option_bindings.h"

#include <array>

namespace quorella::app {

namespace {

using S = FixedSection;
using V = FaqValue;

constexpr std::array kBindings = {
    // General
    OptionBinding{"edtDirectory", V::Directory},
    OptionBinding{"StartPage", V::StartPage},
    OptionBinding{"edtExt", V::DocumentExt},
    OptionBinding{"FontName", V::FontName},
    OptionBinding{"FontSize", V::FontSize},
    OptionBinding{"chkQBlankLine", V::BlankLineBetweenQuestions},
    OptionBinding{"DisableBanner", V::DisableBanner},
    OptionBinding{"Title", V::Title},
    OptionBinding{"HeaderCode", S::HeaderCode},
    // Layout
    OptionBinding{"RadioPageStyle", V::PageStyle},
    OptionBinding{"edtLanguage", V::Language},
    OptionBinding{"edtDescription", V::Description},
    OptionBinding{"edtSiteAddress", V::SiteAddress},
    OptionBinding{"chkUseMyColors", V::UseMyColors},
    OptionBinding{"chkStructuredData", V::StructuredData},
    OptionBinding{"RadioLayout", V::Layout},
    OptionBinding{"RadioFrames", V::Frames},
    OptionBinding{"RadioAnswers", V::AnswersPage},
    OptionBinding{"PagePrefix", V::AnswerSubPagePrefix},
    OptionBinding{"APageName", V::AnswerPageName},
    OptionBinding{"FrameSize", V::QuestionFrameSize},
    OptionBinding{"FrameIt", V::FrameIt},
    OptionBinding{"FrameHead", S::FrameHeaderCode},
    // Answer Page
    OptionBinding{"APageColor", V::AnswerPageColor},
    OptionBinding{"ATextColor", V::AnswerTextColor},
    OptionBinding{"ALinkColor", V::AnswerLinkColor},
    OptionBinding{"AVLinkColor", V::AnswerVisitedLinkColor},
    OptionBinding{"AALinkColor", V::AnswerActiveLinkColor},
    OptionBinding{"AQuestionBackColor", V::AQuestionBackColor},
    OptionBinding{"AQTextColor", V::AQuestionTextColor},
    OptionBinding{"AnswerBackImage", V::AnswerBackImage},
    OptionBinding{"Header", S::AnswerHeader},
    OptionBinding{"Footer", S::AnswerFooter},
    // Question Page
    OptionBinding{"QPageName", V::QuestionPageName},
    OptionBinding{"QPageColor", V::QuestionPageColor},
    OptionBinding{"QTextColor", V::QuestionTextColor},
    OptionBinding{"QLinkColor", V::QuestionLinkColor},
    OptionBinding{"QVLinkColor", V::QuestionVisitedLinkColor},
    OptionBinding{"QALinkColor", V::QuestionActiveLinkColor},
    OptionBinding{"QuestionBackImage", V::QuestionBackImage},
    OptionBinding{"QHeader", S::QuestionHeader},
    OptionBinding{"QFooter", S::QuestionFooter},
    // Links
    OptionBinding{"LinkQuestions", V::LinkQuestionsText},
    OptionBinding{"LinkTop", V::LinkTopText},
    OptionBinding{"LinkPrevious", V::LinkPreviousText},
    OptionBinding{"LinkNext", V::LinkNextText},
    OptionBinding{"staticClickOnQ", V::StaticClickOnQ},
};

}  // namespace

std::span<const OptionBinding> OptionBindings() {
  return kBindings;
}

}  // namespace quorella::app
