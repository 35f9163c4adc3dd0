// SPDX-License-Identifier: GPL-3.0-or-later
// Captions shown whole in windows of fixed size: where a control's caption is
// wider than the room its control has (the interface font differs from the one
// the windows were drawn for), the control's font is made smaller until it fits.
#pragma once

class QGroupBox;
class QPushButton;
class QWidget;

namespace qorvi::widgets {

// Fits every caption in `window`: labels, check boxes, radio buttons, push
// buttons, group box titles and the column headers of its grids. Each control
// starts from the font it had before the first fit, so running it again after
// a caption changed (a load renames some) fits the new text; nothing is moved or
// resized. A caption that does not fit even at the smallest size keeps that size.
// The controls in `except` (the preview, whose texts are drawn at their own
// sizes and placed by their widths) are left alone.
void FitCaptions(QWidget& window, const QWidget* except = nullptr);

// The room a push button's caption is drawn in, as its style lays the button out.
int ButtonRoom(const QPushButton& button);
// The part of a group box right of where its style starts the title (the style
// centres or left-aligns it within the box).
int GroupTitleRoom(const QGroupBox& box);

}  // namespace qorvi::widgets
