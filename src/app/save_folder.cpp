// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/save_folder.h"

#include <QDir>
#include <QFileDialog>
#include <QSettings>
#include <QUrl>

#include "widgets/window_frame.h"

namespace qorvi::app {
namespace {

// One key per working folder; the folder's path is encoded whole, since a slash
// would start a group of keys.
QString KeyFor(const QString& working_folder) {
  return "SaveToFolder/" + QString::fromLatin1(QUrl::toPercentEncoding(working_folder));
}

}  // namespace

QString RememberedSaveFolder(const QString& working_folder) {
  const QSettings settings("Qorvi", "Qorvi");
  const QString folder = settings.value(KeyFor(working_folder)).toString();
  return !folder.isEmpty() && QDir(folder).exists() ? folder : working_folder;
}

QString AskForSaveFolder(QWidget* parent, const QString& working_folder) {
  QFileDialog dialog(parent, "Save to");
  widgets::SetUpFileDialog(&dialog);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly, true);
  dialog.setDirectory(RememberedSaveFolder(working_folder));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const QString folder = dialog.selectedFiles().first();
  QSettings settings("Qorvi", "Qorvi");
  settings.setValue(KeyFor(working_folder), folder);
  return folder;
}

}  // namespace qorvi::app
