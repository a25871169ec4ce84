// The desktop: the screen's size, the event queue and message boxes.
#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/controls.h"

namespace q32 {

class QtDesktop : public Desktop {
public:
    // Message boxes are centred on and modal to `owner` (the main window).
    explicit QtDesktop(QWidget* owner);

    double screenWidth() const override;
    double screenHeight() const override;
    void doEvents() override;
    MsgAnswer messageBox(const std::string& text, const std::string& title, MsgIcon icon,
                         MsgButtons buttons) override;
    std::string digitGroupSeparator() const override;
    std::optional<std::string> passwordBox(const std::string& archive, const std::string& member,
                                           bool wrongBefore) override;

private:
    QPointer<QWidget> owner_;
};

}  // namespace q32
