// The pictures of the toolbar buttons, chosen by the button's key. The icon
// theme of the desktop is used where it has a fitting picture; otherwise the
// program draws its own, so every button has one on any desktop.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <string>

namespace q32 {

// The picture for a toolbar key ("zip", "install", "exit"...); a null icon
// for an unknown key. The program's own pictures are drawn at the size in
// screen pixels each use asks for.
QIcon toolbarIcon(const std::string& key);

// The program's own picture for a key, drawn at the given size in pixels;
// a null pixmap for an unknown key.
QPixmap drawnToolbarPicture(const std::string& key, int size);

}  // namespace q32
