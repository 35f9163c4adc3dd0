// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/window_frame.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QDialog>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>
#include <QStringList>
#include <algorithm>

namespace qorvi::widgets {
namespace {

// Room a title bar takes besides its caption: the window icon, the buttons and the margins.
constexpr int kTitleBarRoom = 120;

}  // namespace

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

int CaptionWidth(const QWidget& window) {
  // Title bars draw their caption in a bold face of about the interface's size.
  QFont title = window.font();
  title.setBold(true);
  return QFontMetrics(title).horizontalAdvance(window.windowTitle()) + kTitleBarRoom;
}

void FitCaption(QMessageBox& box) {
  // A message box sizes itself to its text and buttons; a spacer across its grid
  // keeps it at least as wide as its caption needs.
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
    grid->addItem(new QSpacerItem(CaptionWidth(box), 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(),
                  0, 1, std::max(grid->columnCount(), 1));
  }
}

void ShowMessageBox(QWidget* parent, const QString& text, const QString& details) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kMessageCaption.data(), kMessageCaption.size()), text,
                  QMessageBox::Ok, parent);
  if (!details.isEmpty()) box.setDetailedText(details);
  FitCaption(box);
  box.exec();
}

void ShowFailure(QWidget* parent, const Failure& failure) {
  const std::string_view text = MessageText(failure.code);
  ShowMessageBox(parent, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                 QString::fromStdString(failure.cause));
}

bool ConfirmBox(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, "Qorvi", text, QMessageBox::Ok | QMessageBox::Cancel, parent);
  FitCaption(box);
  return box.exec() == QMessageBox::Ok;
}

SaveChoice AskSaveChanges(QWidget* parent, const QString& details) {
  QMessageBox box(QMessageBox::NoIcon, "Qorvi", "Save changes?",
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
  if (!details.isEmpty()) box.setDetailedText(details);
  box.setDefaultButton(QMessageBox::Save);
  box.setEscapeButton(QMessageBox::Cancel);
  FitCaption(box);
  switch (box.exec()) {
    case QMessageBox::Save: return SaveChoice::Save;
    case QMessageBox::Discard: return SaveChoice::Discard;
    default: return SaveChoice::Cancel;
  }
}

void SetUpFileDialog(QFileDialog* dialog) {
  dialog->setFileMode(QFileDialog::ExistingFile);
  dialog->setOption(QFileDialog::DontUseNativeDialog, true);
  // The path completion opens its own popup window, which would outlive the dialog.
  QObject::connect(dialog, &QDialog::finished, dialog, [dialog] {
    for (QCompleter* completer : dialog->findChildren<QCompleter*>()) {
      if (completer->popup() != nullptr) completer->popup()->hide();
    }
  });
}

}  // namespace qorvi::widgets
