// A text viewer window: a small, separate, non-modal window with a
// multi-line text area (scrollable both ways, no word wrap) and, for some,
// one button lying over the text area. The text is bytes in code page 437
// with CR LF line ends; the window draws every other byte through the code
// page 437 table in a font that has the PC's line art, so box-drawing bytes
// appear as lines. Each implementation lives in platform/qt and tests/support.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/controls.h"
#include "platform/geometry.h"

namespace q32 {

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
};

// The text areas were laid out for a font of 8 by 12 pixels at 96 dots an
// inch: 120 by 180 twips a character cell. A window that draws with another
// font keeps the designed number of whole cells: its text area, and the
// window with it, grow until that many cells of its font fit in, and the
// button keeps its distance from the right-hand edge.
inline constexpr double kDesignedCellWidth = 120;
inline constexpr double kDesignedCellHeight = 180;

struct TextCells {
    int columns = 0;
    int lines = 0;
};

inline TextCells designedCells(const Rect& textArea) {
    return {static_cast<int>(textArea.width / kDesignedCellWidth),
            static_cast<int>(textArea.height / kDesignedCellHeight)};
}

// How a viewer looks when it is created. Twips; the text area and the button
// are placed on the window's inner area.
struct ViewerDesign {
    std::string caption;
    double innerWidth = 0;
    double innerHeight = 0;
    Rect textArea;
    std::optional<Rgb> background;  // the system's default when empty
    std::string buttonCaption;      // "" for no button
    Rect button;
};

// The window exists from load() until it is closed (by the program or by the
// user's close box). While it does not exist, the calls below other than
// load() do nothing and report an empty, hidden window.
class ViewerWindow : public virtual TopLevelWindow {
public:
    // Creates the window, hidden, as designed for the font it draws with; an
    // existing one goes first.
    virtual void load(const ViewerDesign& design) = 0;
    virtual bool isLoaded() const = 0;
    // Discards the window with its text.
    virtual void close() = 0;

    // The window's show() puts it beside the main window, which stays usable.
    // Brings it to the front with the keyboard focus in its text area.
    virtual void focus() = 0;

    // The text area.
    virtual std::string text() const = 0;
    virtual void setText(const std::string& bytes) = 0;
    virtual Rect textGeometry() const = 0;
    virtual void setTextGeometry(const Rect& rect) = 0;
    virtual bool textVisible() const = 0;
    virtual void setTextVisible(bool visible) = 0;
    // Removes the selection, leaving the caret where it is.
    virtual void clearSelection() = 0;

    // The button.
    virtual Rect buttonGeometry() const = 0;
    virtual void setButtonGeometry(const Rect& rect) = 0;

    // Events besides onResize; not called for changes the program makes itself.
    std::function<void()> onTextDblClick;
    std::function<void(int keyCode)> onKeyDown;  // any part of the window has the focus
    std::function<void()> onButtonClick;
};

}  // namespace q32
