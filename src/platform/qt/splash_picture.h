// The splash window's picture: a parchment scroll with rolled ends and a wax
// seal, transparent around it so that the window takes its outline.
#pragma once

#include <QImage>

namespace q32 {

// Drawn for a screen of that scale: its size in logical pixels stays.
QImage splashPicture(qreal devicePixelRatio = 1);

// Where the animated quill sits on the picture.
QRect splashIconArea();

}  // namespace q32
