#include "command_kit/password_prompt.h"

#include <algorithm>

namespace q32 {

namespace {

void wipe(std::string& text) {
    std::fill(text.begin(), text.end(), '\0');
    text.clear();
}

}  // namespace

// The remembered password first; the box when it was wrong for this member,
// saying "wrong" only about a password the user typed.
std::optional<std::string> PasswordPrompt::password(const PasswordRequest& request) {
    if (!request.lastWasWrong && remembered_) {
        offeredRemembered_ = true;
        return remembered_;
    }
    if (cancelledArchives_.count(request.archive) > 0) return std::nullopt;
    const bool typedWasWrong = request.lastWasWrong && !offeredRemembered_;
    offeredRemembered_ = false;
    std::optional<std::string> typed = screen_.passwordBox(request.archive, request.member, typedWasWrong);
    if (!typed) cancelledArchives_.insert(request.archive);
    return typed;
}

void PasswordPrompt::accepted(const std::string& password) {
    if (remembered_) wipe(*remembered_);
    remembered_ = password;
}

void PasswordPrompt::forget() {
    if (remembered_) wipe(*remembered_);
    remembered_.reset();
    offeredRemembered_ = false;
    cancelledArchives_.clear();
}

}  // namespace q32
