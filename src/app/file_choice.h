// SPDX-License-Identifier: GPL-3.0-or-later
// Files the preview's menu reads and writes: the dialog that asks for one, and the
// whole-file write they share.
#pragma once

#include <QByteArray>
#include <QString>
#include <string>

class QWidget;

namespace qorvi::app {

// Runs a file dialog of the program's kind, starting in the working directory of
// the moment; the chosen path, or an empty one when the user cancels. For saving,
// a name typed without an extension gets `suffix`.
QString AskForFile(QWidget* parent, bool for_saving, const QString& caption, const QString& filter,
                   const QString& suffix);

// A path chosen in a dialog as the file system names it.
std::string LocalPath(const QString& path);

// Writes `bytes` to `path` so that the file is either the old one or the whole new
// one. Empty on success, else the reason on one line.
std::string WriteWholeFile(const std::string& path, const QByteArray& bytes);

}  // namespace qorvi::app
