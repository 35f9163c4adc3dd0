// SPDX-License-Identifier: GPL-3.0-or-later
// The About window: a fixed dialog with the program's name, version and credits.
#pragma once

#include <QDialog>

class TForm8 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm8(QWidget* parent = nullptr);
};
