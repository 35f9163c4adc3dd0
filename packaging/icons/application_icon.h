// SPDX-License-Identifier: GPL-3.0-or-later
// The application icon of the desktop program, from the Qt resource built from this
// folder: every PNG size that is installed for the desktop, in one QIcon.
#pragma once

#include <QIcon>

namespace qorvi {

// For QApplication::setWindowIcon: every window of the program then shows it.
QIcon ApplicationIcon();

}  // namespace qorvi
