// SPDX-License-Identifier: GPL-3.0-or-later
// The output folder of "Save to...": asked for with the program's folder dialog and
// remembered per working folder, so that the next "Save to..." from the same
// working folder starts there.
#pragma once

#include <QString>

class QWidget;

namespace qorvi::app {

// Where the dialog starts for `working_folder`: the folder last chosen from it while
// that still exists, else the working folder.
QString RememberedSaveFolder(const QString& working_folder);

// Asks for an existing folder (the dialog can make one); the chosen folder, kept as
// the one to start from next time, or an empty string when the user cancels.
QString AskForSaveFolder(QWidget* parent, const QString& working_folder);

}  // namespace qorvi::app
