#include "app/colour_page_tab.h"

namespace quorella::app {

void ColourPageTab::CopyColoursFromSource() {
  if (source_ == nullptr) return;
  const widgets::PageColours& from = source_->colours_;
  colours_.panel->SetBackground(from.panel->Background());
  colours_.panel->SetCaptionColour(from.panel->CaptionColour());
  colours_.text->SetColour(from.text->Colour());
  colours_.link->SetColour(from.link->Colour());
  colours_.visited->SetColour(from.visited->Colour());
  colours_.active->SetColour(from.active->Colour());
  for (QWidget* control : std::initializer_list<QWidget*>{
           colours_.panel, colours_.text, colours_.link, colours_.visited, colours_.active})
    emit Edited(control);
}

}  // namespace quorella::app
