#pragma once
// The option editors of the pages: which control (by objectName) shows and stores which per-FAQ
// value or document section. The kind of control decides when it stores: a line edit or a
// multi-line editor when it is left; a check box, radio group, spin box, choice list or editable
// font list on every change; a colour panel or label when a colour is picked. Adding an option is
// one row here and its control on its page.
#include <span>
#include <variant>

#include "store/faq.h"
#include "store/values.h"

namespace quorella::app {

struct OptionBinding {
  const char* control;                          // the control's objectName
  std::variant<FaqValue, FixedSection> target;  // the value or section it edits
};

// In page order; within a colour panel the panel comes before its labels, which is also the order
// in which copied colours are written.
std::span<const OptionBinding> OptionBindings();

}  // namespace quorella::app
