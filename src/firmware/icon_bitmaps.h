// SPDX-License-Identifier: GPL-3.0-or-later
// The icon pictures of a load written as bitmap files: the step the desktop program
// takes after every load, since its preview reads the icons from the working
// folder (and its main window deletes them at exit).
#pragma once

#include <string>
#include <vector>

#include "model/icon_pictures.h"
#include "model/paths.h"

namespace qorvi {

// Removes the bitmap files at the icon paths of `paths` (those of an earlier set
// must not stand in for pictures this set lacks), then writes each picture the load
// decoded to its path, byte for byte. The files are not flushed to disk: they are
// rewritten at every load and deleted at exit. A file that cannot be written (a
// full disk) is a picture the preview goes without; its path is returned.
std::vector<std::string> WriteIconBitmaps(const IconPictures& pictures, const Paths& paths);

}  // namespace qorvi
