// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/file_choice.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QStringList>
#include <cstdint>
#include <span>

#include "platform/file_io.h"
#include "widgets/window_frame.h"

namespace qorvi::app {

QString AskForFile(QWidget* parent, bool for_saving, const QString& caption, const QString& filter,
                   const QString& suffix) {
  QFileDialog dialog(parent, caption);
  widgets::SetUpFileDialog(&dialog);
  if (for_saving) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
  }
  dialog.setNameFilters(QStringList{filter, "All files (*)"});
  dialog.setDefaultSuffix(suffix);
  dialog.setDirectory(QDir::currentPath());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

std::string WriteWholeFile(const std::string& path, const QByteArray& bytes) {
  const std::span<const uint8_t> data(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                      static_cast<std::size_t>(bytes.size()));
  if (const WriteResult r = WriteFileAtomically(path, {data}); !r) {
    return "cannot write " + path + ": " + r.error.message();
  }
  return {};
}

}  // namespace qorvi::app
