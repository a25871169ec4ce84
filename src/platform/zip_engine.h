// The zip engine, as the program uses it: set the file mask, the destination
// folder and the archive name, then extract or test. Calls are synchronous;
// while one works, onStatus is called on the calling thread with the
// percentage done, and is the moment the window handles its events (and the
// moment Escape can set the abort flag). Paths are virtual ("c:\Quil001").
// Encrypted members are read with passwords from a provider the caller gives.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace q32 {

// Result codes of extract and test.
namespace zipcode {
inline constexpr std::int16_t Success = 0;
inline constexpr std::int16_t UnsafeNamesSkipped = 20;  // a warning: 1 to 99 are warnings
inline constexpr std::int16_t LargeMembersSkipped = 30; // a warning: members over the size limit were not written
// The user cancelled a password question: the call stopped there. Members
// already written stay; none is left half-written. Never a sign of damage.
inline constexpr std::int16_t PasswordCancelled = 40;
inline constexpr std::int16_t CrcMismatch = 100;
inline constexpr std::int16_t NotAZip = 110;            // or a damaged directory or header
inline constexpr std::int16_t CannotOpen = 120;
inline constexpr std::int16_t CannotWrite = 130;
inline constexpr std::int16_t NothingToDo = 140;        // no member matched the mask
inline constexpr std::int16_t Unsupported = 150;        // method or encryption (or no password provider)
inline constexpr std::int16_t Aborted = 190;
inline constexpr std::int16_t BadData = 200;            // compressed data cannot be decoded
inline constexpr std::int16_t Truncated = 410;
}  // namespace zipcode

// What the engine asks a password for: the archive as the caller named it,
// the member's name (UTF-8), and whether the last answer for this member was
// wrong (its check failed, or its data did not authenticate).
struct PasswordRequest {
    std::string archive;
    std::string member;
    bool lastWasWrong = false;
};

// Answers the engine's password questions, on the thread that called
// extract or test, before any member the answer opens is decoded. A wrong
// answer is followed by the same question with lastWasWrong, for as long as
// the answers are wrong. Should an AES member's data not authenticate, its
// question comes again too; the same answer then means the data is damaged
// (CrcMismatch).
class PasswordProvider {
public:
    virtual ~PasswordProvider() = default;
    // The password to try, or nullopt when the user cancelled.
    virtual std::optional<std::string> password(const PasswordRequest& request) = 0;
    // A password the provider gave passed a member's check (a wrong one
    // passes 1 time in 256 for PKWARE, 1 in 65536 for AES, and is then
    // asked again for AES): worth offering first next time, here or elsewhere.
    virtual void accepted(const std::string& password) { (void)password; }
};

class ZipEngine {
public:
    virtual ~ZipEngine() = default;

    // Masks separated by CR; "*.*" matches every name, "" means every member.
    virtual void setFileMask(const std::string& mask) = 0;
    virtual void setDestinationFolder(const std::string& folder) = 0;
    virtual void setArchiveName(const std::string& archive) = 0;
    // Kept for the callers that set it; it changes nothing.
    virtual void setOption10(bool on) = 0;
    // Extraction passes over every file member whose size is over `bytes`
    // and returns LargeMembersSkipped when nothing worse happened (an unsafe
    // name skipped too gives UnsafeNamesSkipped). 0 means no limit, as at the
    // start; the limit stays until set again. test() checks every member,
    // whatever its size.
    virtual void setMemberSizeLimit(std::uint64_t bytes) = 0;
    // Asks a running extract or test to stop; it then returns Aborted.
    virtual void setAbort(bool abort) = 0;

    // Where passwords for encrypted members come from; it must outlive the
    // calls that use it. Without one (nullptr, as at the start) encrypted
    // members are Unsupported. Within one call a password that opened a
    // member is tried first for the next one, without asking.
    void setPasswordProvider(PasswordProvider* provider) { passwordProvider_ = provider; }

    virtual std::int16_t extract(std::int16_t argument) = 0;
    virtual std::int16_t test() = 0;

    // Percentage of the archive's uncompressed bytes done.
    std::function<void(int percent)> onStatus;

protected:
    PasswordProvider* passwordProvider() const { return passwordProvider_; }

private:
    PasswordProvider* passwordProvider_ = nullptr;
};

}  // namespace q32
