// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/layout_presets.h"

#include <QStringList>
#include <memory>

#include "app/file_choice.h"
#include "layout_json/layout_json.h"
#include "widgets/window_frame.h"

namespace qorvi::app {

std::string ExportLayout(const session::EditSession& session, const std::string& path) {
  const std::string text = layout_json::ModelToText(session.model());
  return WriteWholeFile(path, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
}

ImportResult ImportLayout(session::EditSession& session, const std::string& path) {
  ImportResult result;
  std::string text;
  if (!layout_json::ReadLayoutFile(path, text, result.error)) return result;
  const layout_json::ParsedLayout parsed = layout_json::ParseLayoutText(text);
  if (!parsed.changes) {
    result.error = "the layout file " + path + " is refused: " + parsed.error;
    return result;
  }
  // The document applied to a copy of the model's state; the session then makes
  // the model so in one step. (The copy lives on the heap: it holds the tables.)
  auto next = std::make_unique<FirmwareState>(session.model());
  result.warnings = layout_json::ApplyLayoutChanges(*parsed.changes, *next);
  session::ModelChange change;
  change.layout = next->Layout;
  change.entries = next->CategoryEntries;
  change.items = next->ItemTable;
  // Undoing the import puts the focus back where it was.
  change.focus = session::Focus{session.view().CurrentCategory, session.view().CurrentItem};
  // Named by the file, without its folder.
  const std::size_t slash = path.find_last_of("/\\");
  session.Apply(change, "Import of " + (slash == std::string::npos ? path : path.substr(slash + 1)));
  return result;
}

void ExportLayoutAction(QWidget* parent, const session::EditSession& session) {
  const QString path = AskForFile(parent, true, "Export layout", "Layout documents (*.json)", "json");
  if (path.isEmpty()) return;
  const std::string error = ExportLayout(session, LocalPath(path));
  if (!error.empty()) widgets::ShowMessageBox(parent, QString::fromStdString(error));
}

void ImportLayoutAction(QWidget* parent, session::EditSession& session) {
  const QString path = AskForFile(parent, false, "Import layout", "Layout documents (*.json)", "json");
  if (path.isEmpty()) return;
  const ImportResult result = ImportLayout(session, LocalPath(path));
  if (!result.error.empty()) {
    widgets::ShowMessageBox(parent, QString::fromStdString(result.error));
    return;
  }
  QStringList warnings;
  for (const std::string& w : result.warnings) warnings << QString::fromStdString(w);
  if (!warnings.isEmpty()) widgets::ShowMessageBox(parent, warnings.join('\n'));
}

}  // namespace qorvi::app
