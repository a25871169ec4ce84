// Positions and sizes in twips (1/1440 inch), the unit of all window
// geometry in the program.
#pragma once

namespace q32 {

struct Rect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    bool operator==(const Rect&) const = default;
};

// A control placed on a window: geometry relative to the window's inner area.
class Placed {
public:
    virtual ~Placed() = default;
    virtual Rect geometry() const = 0;
    virtual void setGeometry(const Rect& rect) = 0;
    virtual bool isVisible() const = 0;
    virtual void setVisible(bool visible) = 0;
};

}  // namespace q32
