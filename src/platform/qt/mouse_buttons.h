// Qt's mouse buttons as the program names them.
#pragma once

#include <Qt>
#include <optional>

#include "platform/controls.h"

namespace q32 {

inline std::optional<MouseButton> programButton(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton: return MouseButton::Left;
        case Qt::RightButton: return MouseButton::Right;
        case Qt::MiddleButton: return MouseButton::Middle;
        default: return std::nullopt;
    }
}

}  // namespace q32
