#include "windows/about_window.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "windows/window_frame.h"

namespace {

QFrame* TextPanel(QWidget* parent, QRect geometry, const QStringList& lines) {
  auto* panel = new QFrame(parent);
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setGeometry(geometry);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(8, 6, 8, 6);
  layout->setSpacing(2);
  for (const QString& line : lines) {
    auto* label = new QLabel(line, panel);
    label->setAlignment(Qt::AlignHCenter);
    layout->addWidget(label);
  }
  return panel;
}

}  // namespace

TForm8::TForm8(qorvi::app::Desktop& desktop, QWidget* parent) : QDialog(parent) {
  setObjectName("Form8");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint);
  setWindowTitle("About...");
  setFont(qorvi::app::InterfaceFont());
  setFixedSize(250, 302);
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->geometry().center() - rect().center());
  }
  TextPanel(this, {16, 16, 217, 81},
            {"Qorvi for windows", "beta 3- version", "by the Qorvi developers", "CFW 3.90 / 3.95 / 4.01 / 5.00"});
  TextPanel(this, {16, 112, 217, 137},
            {"thanks to", "everyone who mapped the menu files", "the testers of every firmware", "offset hunters",
             "and all users"});
  OKButton = new QPushButton("OK", this);
  OKButton->setObjectName("OKButton");
  OKButton->setGeometry(87, 264, 75, 25);
  OKButton->setDefault(true);
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
  desktop.forms.Form8 = this;
}
