// SPDX-License-Identifier: GPL-3.0-or-later
// The preview as a picture and as a list of where its elements stand: what
// `qorvi --render` writes and "Save preview as PNG..." saves. Both read Panel1 as
// it is, so they show exactly what the main window shows, whether or not that
// window is on the screen.
#pragma once

#include <QImage>
#include <string>

#include "session/edit_session.h"

namespace qorvi::app {

class PreviewPanel;

// Panel1 drawn as it stands, 512 x 304 pixels, RGB (no alpha).
QImage PreviewPicture(PreviewPanel& panel);

// The geometry document: the version, the focus and the language, then one entry
// per control of Panel1 in drawing order (its name, whether it is shown, its
// rectangle in Panel1's coordinates; a label adds its caption, font pixel size and
// colour). Two-space indentation and a final line break.
std::string PreviewGeometryText(const PreviewPanel& panel, const session::EditSession& session);

// The picture as PNG bytes.
QByteArray PreviewPng(PreviewPanel& panel);

// "Save preview as PNG...": asks for a file and writes the picture there; a
// failure is told in a box captioned "Qorvi".
void SavePreviewAction(PreviewPanel& panel);

}  // namespace qorvi::app
