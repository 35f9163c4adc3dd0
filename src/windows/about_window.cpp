// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/about_window.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "qorvi_version.h"
#include "widgets/window_frame.h"

namespace {

constexpr int kPanelMargin = 8;

// A lowered panel of centred lines at `geometry`, widened when a line needs more
// room than the panel has; returns the panel.
QFrame* TextPanel(QWidget* parent, QRect geometry, const QStringList& lines) {
  auto* panel = new QFrame(parent);
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(kPanelMargin, 6, kPanelMargin, 6);
  layout->setSpacing(2);
  int widest = 0;
  for (const QString& line : lines) {
    auto* label = new QLabel(line, panel);
    label->setAlignment(Qt::AlignHCenter);
    layout->addWidget(label);
    widest = std::max(widest, label->sizeHint().width());
  }
  geometry.setWidth(std::max(geometry.width(), widest + 2 * kPanelMargin + 2 * panel->frameWidth()));
  panel->setGeometry(geometry);
  return panel;
}

}  // namespace

TForm8::TForm8(QWidget* parent) : QDialog(parent) {
  setObjectName("Form8");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint);
  setWindowTitle("About...");
  setFont(qorvi::widgets::InterfaceFont());
  QFrame* top =
      TextPanel(this, {16, 16, 217, 81},
                {"Qorvi for windows", "beta 3- version", "by the Qorvi developers", "CFW 3.90 / 3.95 / 4.01 / 5.00"});
  QFrame* bottom = TextPanel(this, {16, 112, 217, 137},
                             {"thanks to", "all who mapped the menu files", "the testers of every firmware",
                              "offset hunters", "and all users"});
  // 250 wide as designed, or wider when the texts or the caption need it.
  const int panel_width = std::max(top->width(), bottom->width());
  top->resize(panel_width, top->height());
  bottom->resize(panel_width, bottom->height());
  const int width = std::max({250, panel_width + 33, qorvi::widgets::CaptionWidth(*this)});
  setFixedSize(width, 302);
  // The release, in the gap between the two panels.
  auto* version = new QLabel("version " QORVI_VERSION, this);
  version->setObjectName("VersionLabel");
  version->setAlignment(Qt::AlignCenter);
  version->setGeometry(16, top->geometry().bottom() + 1, panel_width, bottom->y() - top->geometry().bottom() - 1);
  // The licence, in the gap between the second panel and the button.
  auto* licence = new QLabel("free software: GNU GPL 3 or later", this);
  licence->setObjectName("LicenceLabel");
  licence->setAlignment(Qt::AlignCenter);
  licence->setGeometry(16, bottom->geometry().bottom() + 1, panel_width, 264 - bottom->geometry().bottom() - 1);
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("OKButton");
  ok->setGeometry((width - 75) / 2, 264, 75, 25);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->geometry().center() - rect().center());
  }
}
