// A private folder inside the destination where an archiver works. Only
// when its result has been checked are the files moved into the destination
// (overwriting what is there); otherwise nothing of it stays behind.
#pragma once

#include <optional>
#include <string>

#include "exit_codes.h"

namespace q32::standin {

class Staging {
public:
    // Makes DEST/.q32-stage-XXXXXX with the folders "out" and "volumes".
    static std::optional<Staging> create(const std::string& destination, std::string& error);
    Staging(Staging&& other) noexcept;
    Staging(const Staging&) = delete;
    Staging& operator=(const Staging&) = delete;
    ~Staging();

    const std::string& out() const { return out_; }
    const std::string& volumes() const { return volumes_; }

    // Moves the regular files and folders of "out" into the destination.
    // Links and special files are left out; permission bits beyond rwx are
    // dropped. Folders of the destination are opened without following
    // links: a link (or a file) where a folder belongs stops the move
    // (LinkInTheWay). The failure when something could not be placed.
    std::optional<Failure> commit();

private:
    Staging(std::string destination, std::string root);
    std::string destination_, root_, out_, volumes_;
};

}  // namespace q32::standin
