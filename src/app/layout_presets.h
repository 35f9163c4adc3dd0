// SPDX-License-Identifier: GPL-3.0-or-later
// Layout presets in the desktop program: "Export layout..." writes the layout
// document of the session's model (the JSON `qorvi-cli info` prints), "Import
// layout..." reads one back as `qorvi-cli save --layout` does (any subset; menu
// entries and items only from a document of the loaded version; unknown keys
// refused) and applies it through the session as one step.
#pragma once

#include <string>
#include <vector>

#include "session/edit_session.h"

class QWidget;

namespace qorvi::app {

// Writes the document to `path`. Empty on success, else the reason on one line.
std::string ExportLayout(const session::EditSession& session, const std::string& path);

struct ImportResult {
  std::string error;                  // why nothing was applied; empty when the document was
  std::vector<std::string> warnings;  // what of it was skipped
};
// Reads, checks and applies the document at `path` as one step, named by the
// file ("Import of layout.json"). A refused document changes nothing.
ImportResult ImportLayout(session::EditSession& session, const std::string& path);

// The menu's actions: each asks for a file, does its work and tells the user what
// went wrong, or what was skipped, in a box captioned "Qorvi".
void ExportLayoutAction(QWidget* parent, const session::EditSession& session);
void ImportLayoutAction(QWidget* parent, session::EditSession& session);

}  // namespace qorvi::app
