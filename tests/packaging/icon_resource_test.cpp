// SPDX-License-Identifier: GPL-3.0-or-later
// The application icon is built into the desktop program as a Qt resource, in every
// size that is installed for the desktop, plus the SVG it is drawn from.
#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QString>

#include "application_icon.h"

namespace {

TEST(IconResource, HoldsEverySizeAsASquarePicture) {
  for (int size : {QORVI_ICON_SIZES}) {
    QString path = QString(":/icons/qorvi-%1.png").arg(size);
    QImage image(path);
    ASSERT_FALSE(image.isNull()) << path.toStdString();
    EXPECT_EQ(image.size(), QSize(size, size)) << path.toStdString();
    EXPECT_TRUE(image.hasAlphaChannel()) << path.toStdString();
    // The corners lie outside the rounded tile: transparent.
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << path.toStdString();
    // The middle of the focused square is drawn, opaque.
    EXPECT_EQ(qAlpha(image.pixel(size * 106 / 256, size * 72 / 256)), 255) << path.toStdString();
  }
}

TEST(IconResource, HoldsTheSvg) {
  QFile svg(":/icons/qorvi.svg");
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  EXPECT_TRUE(svg.readAll().contains("<svg"));
}

TEST(IconResource, ApplicationIconOffersEverySize) {
  int argc = 1;
  char name[] = "icon_resource_test";
  char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);
  QIcon icon = qorvi::ApplicationIcon();
  ASSERT_FALSE(icon.isNull());
  for (int size : {QORVI_ICON_SIZES}) {
    EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
    EXPECT_EQ(icon.pixmap(size, size).size(), QSize(size, size)) << size;
  }
}

}  // namespace
