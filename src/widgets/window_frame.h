// SPDX-License-Identifier: GPL-3.0-or-later
// What every window shares: fixed dialog frames without title-bar buttons, the
// interface and preview fonts, the program's message boxes and the file dialogs.
#pragma once

#include <QFont>
#include <QString>
#include <QWidget>

#include "model/message_table.h"

class QFileDialog;
class QMessageBox;

namespace qorvi::widgets {

// The proportional Japanese Gothic of the interface, 12 pixels high.
QFont InterfaceFont();
// The rounded Japanese font of the preview texts, `pixels` high.
QFont PreviewFont(int pixels);

// Makes `window` a fixed-size secondary window: caption, client size, screen
// place, no title-bar buttons, and closing it does not end the program.
void SetUpSecondaryWindow(QWidget* window, const QString& caption, int clientWidth, int clientHeight, int left,
                          int top);

// The width a window needs for its caption to show in full in its title bar
// (with room for the title bar's own buttons).
int CaptionWidth(const QWidget& window);
// Widens a message box to CaptionWidth.
void FitCaption(QMessageBox& box);

// Shows the text of a message in a box captioned "Qorvi" with one OK button and
// no icon, and waits for it. A non-empty `details` (the cause behind a message)
// goes into the box's details.
void ShowMessageBox(QWidget* parent, const QString& text, const QString& details = {});
// The message of a load or save failure, its cause in the details.
void ShowFailure(QWidget* parent, const Failure& failure);
// Asks OK / Cancel in a box captioned "Qorvi"; true for OK.
bool ConfirmBox(QWidget* parent, const QString& text);

enum class SaveChoice { Save, Discard, Cancel };
// "Save changes?" with Save, Discard and Cancel, captioned "Qorvi"; a non-empty
// `details` (what Save would change) goes into the box's details.
SaveChoice AskSaveChanges(QWidget* parent, const QString& details = {});

// Qt's own file dialog (the same everywhere), whose name completion closes with it.
void SetUpFileDialog(QFileDialog* dialog);

}  // namespace qorvi::widgets
