// The About window: a fixed dialog with the program's name, version and credits.
#pragma once

#include <QDialog>

#include "app/desktop.h"

class QPushButton;

class TForm8 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm8(qorvi::app::Desktop& desktop, QWidget* parent = nullptr);

  QPushButton* OKButton;
};
