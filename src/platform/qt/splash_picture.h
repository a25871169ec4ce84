// The splash window's picture: a parchment scroll with rolled ends and a wax
// seal, transparent around it so that the window takes its outline.
#pragma once

#include <QImage>

namespace q32 {

QImage splashPicture();

// Where the animated quill sits on the picture.
QRect splashIconArea();

}  // namespace q32
