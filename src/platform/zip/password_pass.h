// The passwords of one extract or test, on the calling thread: before the
// workers start, every selected encrypted member gets its keys, found with a
// password that opened an earlier member of the call or asked of the
// provider (again and again while the answer is wrong). The provider is
// never called from a worker.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "platform/zip/archive_file.h"
#include "platform/zip/member_keys.h"
#include "platform/zip/secret_text.h"
#include "platform/zip/work_plan.h"
#include "platform/zip/zip_directory.h"
#include "platform/zip_engine.h"

namespace q32::zip {

class PasswordPass {
public:
    // Without a provider no member gets keys: encrypted ones are Unsupported.
    PasswordPass(PasswordProvider* provider, std::string archive, const ArchiveFile& file,
                 const ZipDirectory& directory);

    // Keys (or a damage code) for every decryptable member among `members`.
    // Success, PasswordCancelled, or Aborted when `keepGoing` says so.
    std::int16_t open(const PlannedMembers& members, const KeepGoing& keepGoing);
    // Asks again for a member whose data did not authenticate: Success with
    // new keys, CrcMismatch when the answer is the same password (the data
    // is damaged), PasswordCancelled or Aborted.
    std::int16_t reopen(std::size_t index, const KeepGoing& keepGoing);

    const MemberKeyTable& keys() const { return keys_; }

private:
    // The bytes before the encrypted data: the PKWARE header, or the AES salt and verifier.
    struct CipherHeader {
        std::int16_t code = 0;
        unsigned char bytes[16 + AesVerifierSize]{};
    };

    CipherHeader readHeader(const MemberEntry& entry) const;
    std::optional<MemberKeys> tryPassword(std::string_view password, const MemberEntry& entry,
                                          const CipherHeader& header) const;
    std::optional<MemberKeys> tryRemembered(const MemberEntry& entry, const CipherHeader& header) const;
    // Asks until an answer opens the member; nullopt with `stop` set when the user cancelled or the run stopped.
    std::optional<MemberKeys> ask(std::size_t index, const CipherHeader& header, bool lastWasWrong,
                                  const KeepGoing& keepGoing, std::int16_t& stop);
    void remember(const SecretText& password);

    PasswordProvider* provider_;
    std::string archive_;
    const ArchiveFile& file_;
    const ZipDirectory& directory_;
    MemberKeyTable keys_;
    std::deque<SecretText> worked_;  // passwords that opened members, the latest first
};

}  // namespace q32::zip
