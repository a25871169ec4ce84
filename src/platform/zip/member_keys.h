// The keys of encrypted members, found on the calling thread before the
// workers start, and the cipher a worker makes of them for one member.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <variant>

#include "platform/zip/compressed_input.h"
#include "platform/zip/member_entry.h"
#include "platform/zip/winzip_aes.h"
#include "platform/zip/zip_crypto.h"

namespace q32::zip {

// A member's result inside the engine only: its AES data did not match its
// authentication code (a wrong password that passed the verifier, or damage).
inline constexpr std::int16_t NotAuthentic = -1;

// Bytes of an encrypted member's stored data before and after the encrypted data.
struct EncryptedSpan {
    std::size_t header = 0;   // the PKWARE header, or the AES salt and verifier
    std::size_t trailer = 0;  // the AES authentication code
};

// Whether the engine can decrypt the member with a password: traditional
// PKWARE or WinZip AES, not PKWARE's strong encryption.
bool decryptable(const MemberEntry& entry);
EncryptedSpan encryptedSpan(const MemberEntry& entry);

struct MemberKeys {
    std::int16_t code = 0;  // not Success: the member's result, found while reading its header
    std::variant<std::monostate, ZipCryptoKeys, AesKeys> keys;

    bool operator==(const MemberKeys&) const = default;
};

// By directory index; read by the workers, changed only between their runs.
class MemberKeyTable {
public:
    const MemberKeys* find(std::size_t index) const {
        const auto found = keys_.find(index);
        return found == keys_.end() ? nullptr : &found->second;
    }
    void set(std::size_t index, MemberKeys keys) { keys_.insert_or_assign(index, std::move(keys)); }

private:
    std::unordered_map<std::size_t, MemberKeys> keys_;
};

// One member's decryption on a worker.
class MemberCipher final : public InputCipher {
public:
    // `code` is the AES authentication code stored after the data.
    MemberCipher(const MemberKeys& keys, const MemberEntry& entry, const unsigned char* code);

    void decrypt(const unsigned char* from, unsigned char* to, std::size_t length) override;
    void pass(const unsigned char* data, std::size_t length) override;

    // The member's result from its decoder's: an AES member must also match
    // its authentication code (NotAuthentic), and AE-2 keeps no CRC to match.
    std::int16_t conclude(std::int16_t decoded, CompressedInput& input);

private:
    std::optional<ZipCryptoKeys> zipCrypto_;
    std::optional<AesDecryptor> aes_;
    bool checkCrc_ = true;
    unsigned char code_[AesCodeSize]{};
};

}  // namespace q32::zip
