// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/preview_picture.h"

#include <QBuffer>
#include <QFontInfo>
#include <QLabel>
#include <QPainter>
#include <nlohmann/json.hpp>

#include "app/file_choice.h"
#include "app/preview_panel.h"
#include "widgets/window_frame.h"

namespace qorvi::app {

QImage PreviewPicture(PreviewPanel& panel) {
  QImage picture(panel.size(), QImage::Format_RGB32);
  // What a window would show behind the panel where nothing of it is drawn.
  picture.fill(panel.palette().color(QPalette::Window));
  // Drawn as the window draws it: the frame, the wallpaper and every shown
  // element over it, in the panel's own order.
  panel.render(&picture);
  return picture.convertToFormat(QImage::Format_RGB888);
}

std::string PreviewGeometryText(const PreviewPanel& panel, const session::EditSession& session) {
  const PreviewState& view = session.view();
  nlohmann::ordered_json doc;
  doc["version"] = session.model().FirmwareVersion;
  doc["category"] = view.CurrentCategory;
  doc["item"] = view.CurrentItem;
  doc["language"] = view.Language;
  nlohmann::ordered_json elements = nlohmann::ordered_json::array();
  // The children in the order they are drawn: the later over the earlier.
  for (const QWidget* child : panel.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    nlohmann::ordered_json e;
    e["name"] = child->objectName().toStdString();
    // Shown within the panel; the panel's window itself may be off the screen.
    e["visible"] = !child->isHidden();
    const QRect r = child->geometry();
    e["x"] = r.x();
    e["y"] = r.y();
    e["w"] = r.width();
    e["h"] = r.height();
    if (const auto* label = qobject_cast<const QLabel*>(child)) {
      e["text"] = label->text().toStdString();
      e["fontPx"] = QFontInfo(label->font()).pixelSize();
      const QColor c = label->palette().color(QPalette::WindowText);
      e["color"] = {c.red(), c.green(), c.blue()};
    }
    elements.push_back(std::move(e));
  }
  doc["elements"] = std::move(elements);
  return doc.dump(2) + "\n";
}

QByteArray PreviewPng(PreviewPanel& panel) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  PreviewPicture(panel).save(&buffer, "PNG");
  return bytes;
}

void SavePreviewAction(PreviewPanel& panel) {
  const QString path = AskForFile(&panel, true, "Save preview as PNG", "PNG pictures (*.png)", "png");
  if (path.isEmpty()) return;
  const std::string error = WriteWholeFile(LocalPath(path), PreviewPng(panel));
  if (!error.empty()) widgets::ShowMessageBox(&panel, QString::fromStdString(error));
}

}  // namespace qorvi::app
