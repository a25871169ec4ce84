// The folder picker with which the user chooses the drive for scratch
// folders: modal, with a status line and an OK button the program may forbid.
#pragma once

#include <functional>
#include <string>

namespace q32 {

class DrivePicker {
public:
    virtual ~DrivePicker() = default;
    virtual void setPrompt(const std::string& prompt) = 0;
    // Opens the picker modally; true when the user confirmed with OK.
    virtual bool browse() = 0;
    // The confirmed folder, a virtual path.
    virtual std::string selectedPath() const = 0;
    virtual void setStatusText(const std::string& text) = 0;
    virtual void setOkAllowed(bool allowed) = 0;

    // The selection inside the picker changed to a new folder (virtual path).
    std::function<void(const std::string& path)> onSelectionChanged;
};

}  // namespace q32
