// SPDX-License-Identifier: GPL-3.0-or-later
#include "application_icon.h"

#include <QString>

namespace qorvi {

QIcon ApplicationIcon() {
  QIcon icon;
  for (int size : {QORVI_ICON_SIZES}) icon.addFile(QString(":/icons/qorvi-%1.png").arg(size), QSize(size, size));
  return icon;
}

}  // namespace qorvi
