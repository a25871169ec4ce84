// WinZip's AES encryption (method 99 and its extra field): a member's data
// is a salt, a 2-byte password verifier, the encrypted data, and a 10-byte
// authentication code. PBKDF2-HMAC-SHA1 (1000 iterations) turns password and
// salt into the AES key, the HMAC key and the verifier; the data is AES in
// counter mode with a little-endian counter from 1, authenticated by
// HMAC-SHA1 over the encrypted bytes. The ciphers are nettle's.
#pragma once

#include <nettle/aes.h>
#include <nettle/hmac.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace q32::zip {

inline constexpr std::size_t AesVerifierSize = 2;
inline constexpr std::size_t AesCodeSize = 10;

// Salt bytes for key strength 1, 2 or 3 (128, 192 or 256-bit keys).
constexpr std::size_t aesSaltSize(unsigned strength) { return 4 + 4 * strength; }
constexpr std::size_t aesKeySize(unsigned strength) { return 8 + 8 * strength; }

struct AesKeys {
    AesKeys() = default;
    ~AesKeys();
    AesKeys(const AesKeys&) = default;
    AesKeys& operator=(const AesKeys&) = default;
    bool operator==(const AesKeys&) const = default;

    unsigned strength = 0;
    unsigned char encryption[32]{};
    unsigned char authentication[32]{};
};

// The keys from the password and the salt that `saltAndVerifier` starts
// with, or nullopt when the verifier after the salt says the password is
// wrong (a wrong password passes this test 1 time in 65536).
std::optional<AesKeys> openAes(std::string_view password, unsigned strength, const unsigned char* saltAndVerifier);

// Decrypts one member's data piece by piece and authenticates it.
class AesDecryptor {
public:
    explicit AesDecryptor(const AesKeys& keys);
    ~AesDecryptor();
    AesDecryptor(const AesDecryptor&) = delete;
    AesDecryptor& operator=(const AesDecryptor&) = delete;

    // Decrypts `length` bytes from `from` into `to` (which may be the same).
    void decrypt(const unsigned char* from, unsigned char* to, std::size_t length);
    // Encrypted bytes that count for the authentication but need no decrypting.
    void authenticate(const unsigned char* data, std::size_t length);
    // True when the bytes so far match the code stored after them.
    bool authentic(const unsigned char* code);

private:
    static constexpr std::size_t BlocksAtOnce = 64;
    static constexpr std::size_t BlockSize = 16;

    void nextKeystream();

    unsigned strength_;
    union {
        aes128_ctx aes128;
        aes192_ctx aes192;
        aes256_ctx aes256;
    } cipher_;
    hmac_sha1_ctx mac_;
    unsigned char counter_[BlockSize]{};
    unsigned char keystream_[BlocksAtOnce * BlockSize];
    std::size_t used_ = sizeof keystream_;
};

}  // namespace q32::zip
