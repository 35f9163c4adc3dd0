// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/picture_box.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStringList>
#include <QTimer>

namespace qorvi::widgets {
namespace {

QStringList& PendingUnreadable() {
  static QStringList pending;
  return pending;
}

}  // namespace

void ReportUnreadablePicture(const QString& path) {
  QStringList& pending = PendingUnreadable();
  if (pending.contains(path)) return;
  pending.append(path);
  if (pending.size() > 1) return;  // a box is already on its way
  QTimer::singleShot(0, [] {
    QStringList files = PendingUnreadable();
    PendingUnreadable().clear();
    QMessageBox box(QMessageBox::Warning, "Qorvi",
                    (files.size() == 1 ? QString("This picture cannot be read; it is not shown:\n")
                                       : QString("These pictures cannot be read; they are not shown:\n")) +
                        files.join('\n'),
                    QMessageBox::Ok);
    box.exec();
  });
}

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

QImage PictureBox::ReadPicture(const QString& path, LoadResult* result) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    if (result) *result = LoadResult::Missing;
    return {};
  }
  QImageReader reader(&file);
  QImage image = reader.read();
  if (image.isNull()) {
    ReportUnreadablePicture(path);
    if (result) *result = LoadResult::Unreadable;
    return {};
  }
  if (result) *result = LoadResult::Loaded;
  return image.convertToFormat(QImage::Format_ARGB32);
}

QImage PictureBox::DecodePicture(std::span<const uint8_t> bytes, LoadResult* result) {
  if (bytes.empty()) {
    if (result) *result = LoadResult::Missing;
    return {};
  }
  const QByteArray data =
      QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
  QBuffer buffer;
  buffer.setData(data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  QImage image = reader.read();
  if (image.isNull()) {
    if (result) *result = LoadResult::Unreadable;
    return {};
  }
  if (result) *result = LoadResult::Loaded;
  return image.convertToFormat(QImage::Format_ARGB32);
}

PictureBox::LoadResult PictureBox::LoadFromFile(const QString& path) {
  LoadResult result;
  QImage image = ReadPicture(path, &result);
  if (result == LoadResult::Loaded) SetPicture(image);
  return result;
}

void PictureBox::SetPicture(const QImage& picture) {
  picture_ = picture.convertToFormat(QImage::Format_ARGB32);
  Changed();
}

void PictureBox::Changed() {
  shownValid_ = false;
  update();
}

void PictureBox::SetTransparentBlack(bool on) {
  if (transparentBlack_ == on) return;
  transparentBlack_ = on;
  Changed();
}

void PictureBox::SetStretch(bool on) {
  if (stretch_ == on) return;
  stretch_ = on;
  update();
}

const QImage& PictureBox::Shown() const {
  if (!transparentBlack_) return picture_;
  if (!shownValid_) {
    shown_ = picture_.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < shown_.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(shown_.scanLine(y));
      for (int x = 0; x < shown_.width(); ++x) {
        if ((line[x] & 0x00FFFFFFu) == 0) line[x] = 0;  // black shows what lies below
      }
    }
    shownValid_ = true;
  }
  return shown_;
}

QColor PictureBox::ShownPixel(int x, int y) const {
  const QImage& image = Shown();
  if (image.isNull() || x < 0 || y < 0 || x >= width() || y >= height()) return QColor(0, 0, 0, 0);
  int sx = x, sy = y;
  if (stretch_) {
    sx = x * image.width() / width();
    sy = y * image.height() / height();
  }
  if (sx >= image.width() || sy >= image.height()) return QColor(0, 0, 0, 0);
  return QColor::fromRgba(image.pixel(sx, sy));
}

void PictureBox::paintEvent(QPaintEvent*) {
  const QImage& image = Shown();
  if (image.isNull()) return;
  QPainter painter(this);
  if (stretch_) {
    painter.drawImage(rect(), image);
  } else {
    painter.drawImage(QPoint(0, 0), image);
  }
}

void PictureBox::mousePressEvent(QMouseEvent* event) { emit mousePressed(event); }
void PictureBox::mouseMoveEvent(QMouseEvent* event) { emit mouseMoved(event); }
void PictureBox::mouseReleaseEvent(QMouseEvent* event) { emit mouseReleased(event); }

}  // namespace qorvi::widgets
