// Passwords for encrypted members, asked of the user in the "Password" box.
// A password that opened a member is offered first for the next encrypted
// member and archive of the same command, without asking; it lives in memory
// only, for that one command, and is never written anywhere. An archive
// whose question the user cancelled is not asked about again in the command.
#pragma once

#include <optional>
#include <set>
#include <string>

#include "platform/controls.h"
#include "platform/zip_engine.h"

namespace q32 {

class PasswordPrompt : public PasswordProvider {
public:
    explicit PasswordPrompt(Desktop& screen) : screen_(screen) {}
    ~PasswordPrompt() override { forget(); }
    PasswordPrompt(const PasswordPrompt&) = delete;
    PasswordPrompt& operator=(const PasswordPrompt&) = delete;

    std::optional<std::string> password(const PasswordRequest& request) override;
    void accepted(const std::string& password) override;
    // The command has ended: its password goes.
    void forget();

private:
    Desktop& screen_;
    std::optional<std::string> remembered_;
    // The last answer was the remembered password, not one the user typed.
    bool offeredRemembered_ = false;
    std::set<std::string> cancelledArchives_;
};

}  // namespace q32
