// SPDX-License-Identifier: GPL-3.0-or-later
// An image control: a picture drawn at its size or stretched into the control,
// optionally with black as the transparent colour, and a picture that can be
// drawn on (frames, swatches, the wallpaper).
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <span>

namespace qorvi::widgets {

class PictureBox : public QWidget {
  Q_OBJECT
 public:
  explicit PictureBox(QWidget* parent = nullptr);

  enum class LoadResult { Loaded, Missing, Unreadable };

  // Reads a picture file. A file that cannot be opened leaves everything as it
  // was (Missing); a file that opens but cannot be decoded too (Unreadable), and
  // the user is told once.
  LoadResult LoadFromFile(const QString& path);
  // The picture in a file, or a null image (Missing / Unreadable as above).
  static QImage ReadPicture(const QString& path, LoadResult* result = nullptr);
  // The picture a file's bytes in memory hold, read as ReadPicture reads the file:
  // a null image when there are no bytes (Missing) or they cannot be decoded
  // (Unreadable; nobody is told, since no file is involved).
  static QImage DecodePicture(std::span<const uint8_t> bytes, LoadResult* result = nullptr);

  void SetPicture(const QImage& picture);
  const QImage& Picture() const { return picture_; }
  // Draw on the picture; call Changed() afterwards.
  QImage& Canvas() { return picture_; }
  void Changed();

  void SetTransparentBlack(bool on);
  bool TransparentBlack() const { return transparentBlack_; }
  void SetStretch(bool on);
  bool Stretch() const { return stretch_; }

  // The colour of the picture's pixel drawn at control point (x, y), transparency
  // applied (fully transparent when nothing is drawn there). For tests and hit tests.
  QColor ShownPixel(int x, int y) const;

 signals:
  void mousePressed(QMouseEvent* event);
  void mouseMoved(QMouseEvent* event);
  void mouseReleased(QMouseEvent* event);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  const QImage& Shown() const;

  QImage picture_;
  mutable QImage shown_;  // picture with black made transparent, rebuilt on demand
  mutable bool shownValid_ = false;
  bool transparentBlack_ = false;
  bool stretch_ = false;
};

// Tells the user about pictures that exist but cannot be decoded: one message box
// (captioned "Qorvi") per burst of failures, shown once the current event is done.
void ReportUnreadablePicture(const QString& path);

}  // namespace qorvi::widgets
