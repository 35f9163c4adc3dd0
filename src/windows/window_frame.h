// What every secondary window shares: a fixed dialog frame without title-bar
// buttons, its client size and place, and the interface font.
#pragma once

#include <QFont>
#include <QString>
#include <QWidget>

namespace qorvi::app {

// The proportional Japanese Gothic of the interface, 12 pixels high.
QFont InterfaceFont();
// The rounded Japanese font of the preview texts, `pixels` high.
QFont PreviewFont(int pixels);

// Makes `window` a fixed-size secondary window: caption, client size, screen
// place, no title-bar buttons, and closing it does not end the program.
void SetUpSecondaryWindow(QWidget* window, const QString& caption, int clientWidth, int clientHeight, int left,
                          int top);

// Shows the text of a message in a box captioned "Qorvi" with one OK button and
// no icon, and waits for it.
void ShowMessageBox(QWidget* parent, const QString& text);
// Asks OK / Cancel in a box captioned "Qorvi"; true for OK.
bool ConfirmBox(QWidget* parent, const QString& text);

}  // namespace qorvi::app
