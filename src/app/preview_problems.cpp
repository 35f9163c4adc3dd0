// SPDX-License-Identifier: GPL-3.0-or-later
// The problems at the preview's position: what `qorvi-cli check` finds wrong with
// the elements where the preview stands now (its focus, "No Show UMD Icon" and
// language), found by the same check and outlined in red as soon as they arise.
//
// The check's input is gathered from the model after a load and after a change of
// the item lists; a change of layout values only copies the values in, so that a
// step of a drag costs one check of one position.
#include <algorithm>

#include "app/preview_overlay.h"
#include "app/preview_panel.h"
#include "firmware/layout_check_input.h"

namespace qorvi::app {

void PreviewPanel::SetMarksProblems(bool on) {
  if (marks_problems_ == on) return;
  marks_problems_ = on;
  RecheckProblems(false);
}

void PreviewPanel::RecheckProblems(bool gather) {
  std::vector<LayoutFinding> found;
  if (view_.PreviewReady == 1) {
    if (gather || !check_input_) check_input_ = std::make_unique<LayoutCheckInput>(GatherLayoutCheckInput(model_));
    if (marks_problems_) {
      check_input_->layout = model_.Layout;
      found = CheckLayoutView(*check_input_, {.category = view_.CurrentCategory,
                                              .item = view_.CurrentItem,
                                              .noShowUmdIcon = session_.options().no_show_umd_icon,
                                              .language = view_.Language});
    }
  }
  const auto same = [](const LayoutFinding& a, const LayoutFinding& b) {
    return a.element == b.element && a.what == b.what;
  };
  if (std::equal(found.begin(), found.end(), problems_.begin(), problems_.end(), same)) return;
  problems_ = std::move(found);
  overlay_->SetMarked(MarkedElements());
  emit problemsChanged();
}

std::vector<QWidget*> PreviewPanel::MarkedElements() const {
  std::vector<QWidget*> marked;
  for (const LayoutFinding& f : problems_) {
    // The check names the elements as the preview does.
    auto* element = findChild<QWidget*>(QString::fromStdString(f.element), Qt::FindDirectChildrenOnly);
    if (element != nullptr && std::find(marked.begin(), marked.end(), element) == marked.end()) {
      marked.push_back(element);
    }
  }
  return marked;
}

}  // namespace qorvi::app
