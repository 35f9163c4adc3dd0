#include "windows/window_frame.h"

#include <QDialog>
#include <QMessageBox>
#include <QStringList>

namespace qorvi::app {

QFont InterfaceFont() {
  QFont font;
  // The interface was drawn for MS P Gothic; IPA's proportional Gothic is its
  // closest free match, and any sans-serif with Japanese glyphs will do.
  font.setFamilies(QStringList{"ＭＳ Ｐゴシック", "IPAPGothic", "IPAPゴシック", "Noto Sans CJK JP", "DejaVu Sans"});
  font.setPixelSize(12);
  return font;
}

QFont PreviewFont(int pixels) {
  QFont font;
  // The menu's own texts are a rounded Gothic; Motoya's L Maruberi stands in for
  // HG Maru Gothic M-PRO.
  font.setFamilies(QStringList{"HG丸ｺﾞｼｯｸM-PRO", "MotoyaLMaru", "モトヤLマルベリ3等幅", "IPAPGothic", "DejaVu Sans"});
  font.setPixelSize(pixels);
  return font;
}

void SetUpSecondaryWindow(QWidget* window, const QString& caption, int clientWidth, int clientHeight, int left,
                          int top) {
  const Qt::WindowFlags kind = qobject_cast<QDialog*>(window) != nullptr ? Qt::Dialog : Qt::Window;
  window->setWindowFlags(kind | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint);
  window->setAttribute(Qt::WA_QuitOnClose, false);
  window->setWindowTitle(caption);
  window->setFont(InterfaceFont());
  window->setFixedSize(clientWidth, clientHeight);
  window->move(left, top);
}

void ShowMessageBox(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, "Qorvi", text, QMessageBox::Ok, parent);
  box.exec();
}

bool ConfirmBox(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, "Qorvi", text, QMessageBox::Ok | QMessageBox::Cancel, parent);
  return box.exec() == QMessageBox::Ok;
}

}  // namespace qorvi::app
