// SPDX-License-Identifier: GPL-3.0-or-later
// Answers the modal dialogs a test provokes (message boxes, the file, colour and
// About dialogs): each time one opens, the next scripted answer is applied to it,
// and message box texts are recorded.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace qorvi::testing {

class ModalDriver {
 public:
  using Answer = std::function<void(QDialog*)>;

  ModalDriver() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
  }
  ~ModalDriver() { timer_.stop(); }

  // Scripted answers, used in order; when none is left, message boxes get OK and
  // other dialogs are rejected.
  void Then(Answer answer) { answers_.push_back(std::move(answer)); }
  void ThenPress(QMessageBox::StandardButton button) {
    Then([button](QDialog* d) {
      if (auto* box = qobject_cast<QMessageBox*>(d)) {
        if (QAbstractButton* b = box->button(button)) {
          b->click();
          return;
        }
      }
      d->reject();
    });
  }
  void ThenChooseFile(const QString& path) {
    Then([path](QDialog* d) {
      auto* dialog = qobject_cast<QFileDialog*>(d);
      if (dialog == nullptr) return d->reject();
      dialog->selectFile(path);
      // With a name filter the dialog may not take the name until its folder view has
      // loaded; the name typed into its edit is always taken.
      if (auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit")) edit->setText(path);
      QMetaObject::invokeMethod(dialog, "accept");
    });
  }
  void ThenCancel() {
    Then([](QDialog* d) { d->reject(); });
  }
  void ThenChooseColor(QColor color) {
    Then([color](QDialog* d) {
      auto* dialog = qobject_cast<QColorDialog*>(d);
      if (dialog == nullptr) return d->reject();
      dialog->setCurrentColor(color);
      dialog->accept();
    });
  }

  // Texts of the message boxes seen so far (line breaks as in the box), and what
  // each holds in its details (empty when it has none).
  std::vector<std::string> messages;
  std::vector<std::string> details;
  // Captions (window titles) of every dialog seen so far.
  std::vector<std::string> captions;

 private:
  void Poll() {
    // A dialog object may be shown again later (the file dialogs are kept).
    if (handled_ && !handled_->isVisible()) handled_ = nullptr;
    QWidget* modal = QApplication::activeModalWidget();
    auto* dialog = qobject_cast<QDialog*>(modal);
    if (dialog == nullptr || dialog == handled_ || !dialog->isVisible()) return;
    handled_ = dialog;
    captions.push_back(dialog->windowTitle().toStdString());
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
      messages.push_back(box->text().toStdString());
      details.push_back(box->detailedText().toStdString());
    }
    Answer answer;
    if (!answers_.empty()) {
      answer = std::move(answers_.front());
      answers_.pop_front();
    }
    // Answer outside this timer slot, so a dialog opened by the answer is seen too.
    QTimer::singleShot(0, dialog, [this, dialog, answer] {
      if (answer) {
        answer(dialog);
      } else if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
        box->accept();
        box->done(QMessageBox::Ok);
      } else {
        dialog->reject();
      }
      // Answered and closed: the same dialog object may be opened again at once.
      if (!dialog->isVisible()) handled_ = nullptr;
    });
  }

  QTimer timer_;
  QPointer<QDialog> handled_;
  std::deque<Answer> answers_;
};

}  // namespace qorvi::testing
