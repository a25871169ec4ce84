// How an ACE extraction ends, and the exception the reader throws inside to
// stop at the first problem it meets.
#pragma once

#include <stdexcept>
#include <string>

namespace q32::ace {

enum class AceResult {
    Ok = 0,
    SkippedUnsafeNames = 1,  // everything else extracted; members whose names
                             // lead outside the destination were left out
    CannotOpen = 10,         // the first volume is missing or unreadable
    NotAnAceArchive = 11,    // no ACE main header at the start of the file
    NotFirstVolume = 12,     // given a continuation volume instead of the first
    MissingVolume = 13,      // a member continues into a volume that is not there
    Truncated = 20,          // a volume ends inside a header or a member's data
    Damaged = 21,            // failed header check or CRC, undecodable data
    Unsupported = 30,        // ACE 2.0 methods, encrypted members
    WriteFailed = 40,        // a file or folder could not be written
};

class AceError : public std::runtime_error {
public:
    AceError(AceResult result, const std::string& message)
        : std::runtime_error(message), result_(result) {}
    AceResult result() const { return result_; }

private:
    AceResult result_;
};

}  // namespace q32::ace
