// SPDX-License-Identifier: GPL-3.0-or-later
// How the editors dock around the main form in the docked workspace: a pure
// function of the room the screen gives and the editors' sizes.
#pragma once

#include <QSize>
#include <vector>

namespace qorvi::widgets {

// The room for the docked workspace and what the docks take besides their forms.
struct DockSpace {
  QSize available;    // the main window's client area at most (the screen's, less frame and menu bar)
  QSize central;      // the main form, which keeps its size
  int title = 20;     // a dock's title bar
  int tabs = 24;      // the tab bar under docks that share a place
  int separator = 6;  // the handle between docks
};

// Where each editor goes, by its index in the list the plan was made for.
struct DockPlan {
  // Right of the main form, columns from left to right; each column holds rows
  // from top to bottom; each row holds editors as tabs (the first one in front).
  std::vector<std::vector<std::vector<int>>> columns;
  // Below the main form: editors as tabs (none when empty).
  std::vector<int> below;
  // The client area the plan needs (may exceed the room: then docks scroll).
  QSize size;
  int hidden = 0;    // editors behind another one's tab
  int overflow = 0;  // pixels the docks lack, summed over the places that scroll (sideways weighted)
};

// Docks the editors so that as many as possible are in view at once without
// scrolling: an editor hidden behind a tab is worth 80 pixels of scrolling up
// and down, scrolling sideways is avoided. Among equal plans the smallest window
// wins.
DockPlan PlanDocks(const DockSpace& space, const std::vector<QSize>& editors);

}  // namespace qorvi::widgets
