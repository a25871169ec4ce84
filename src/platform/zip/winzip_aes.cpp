#include "platform/zip/winzip_aes.h"

#include <nettle/pbkdf2.h>
#include <nettle/sha1.h>
#include <string.h>

#include <algorithm>

namespace q32::zip {

namespace {

constexpr unsigned Iterations = 1000;

}  // namespace

AesKeys::~AesKeys() {
    ::explicit_bzero(encryption, sizeof encryption);
    ::explicit_bzero(authentication, sizeof authentication);
}

std::optional<AesKeys> openAes(std::string_view password, unsigned strength, const unsigned char* saltAndVerifier) {
    if (strength < 1 || strength > 3) return std::nullopt;
    const std::size_t keySize = aesKeySize(strength);
    unsigned char derived[2 * 32 + AesVerifierSize];
    const std::size_t derivedSize = 2 * keySize + AesVerifierSize;
    ::pbkdf2_hmac_sha1(password.size(), reinterpret_cast<const std::uint8_t*>(password.data()), Iterations,
                       aesSaltSize(strength), saltAndVerifier, derivedSize, derived);
    const unsigned char* verifier = saltAndVerifier + aesSaltSize(strength);
    std::optional<AesKeys> keys;
    if (std::equal(verifier, verifier + AesVerifierSize, derived + 2 * keySize)) {
        keys.emplace();
        keys->strength = strength;
        std::copy_n(derived, keySize, keys->encryption);
        std::copy_n(derived + keySize, keySize, keys->authentication);
    }
    ::explicit_bzero(derived, sizeof derived);
    return keys;
}

AesDecryptor::AesDecryptor(const AesKeys& keys) : strength_(keys.strength) {
    switch (strength_) {
    case 1: ::aes128_set_encrypt_key(&cipher_.aes128, keys.encryption); break;
    case 2: ::aes192_set_encrypt_key(&cipher_.aes192, keys.encryption); break;
    default: ::aes256_set_encrypt_key(&cipher_.aes256, keys.encryption); break;
    }
    ::hmac_sha1_set_key(&mac_, aesKeySize(strength_), keys.authentication);
}

AesDecryptor::~AesDecryptor() {
    ::explicit_bzero(&cipher_, sizeof cipher_);
    ::explicit_bzero(&mac_, sizeof mac_);
    ::explicit_bzero(keystream_, sizeof keystream_);
}

// The next blocks of keystream: the counter blocks, counting up from 1 as
// little-endian numbers, encrypted.
void AesDecryptor::nextKeystream() {
    for (std::size_t block = 0; block < BlocksAtOnce; ++block) {
        for (unsigned char& byte : counter_) {
            if (++byte != 0) break;
        }
        std::copy_n(counter_, BlockSize, keystream_ + block * BlockSize);
    }
    switch (strength_) {
    case 1: ::aes128_encrypt(&cipher_.aes128, sizeof keystream_, keystream_, keystream_); break;
    case 2: ::aes192_encrypt(&cipher_.aes192, sizeof keystream_, keystream_, keystream_); break;
    default: ::aes256_encrypt(&cipher_.aes256, sizeof keystream_, keystream_, keystream_); break;
    }
    used_ = 0;
}

void AesDecryptor::decrypt(const unsigned char* from, unsigned char* to, std::size_t length) {
    authenticate(from, length);
    while (length > 0) {
        if (used_ == sizeof keystream_) nextKeystream();
        const std::size_t part = std::min(length, sizeof keystream_ - used_);
        for (std::size_t i = 0; i < part; ++i) to[i] = from[i] ^ keystream_[used_ + i];
        used_ += part;
        from += part;
        to += part;
        length -= part;
    }
}

void AesDecryptor::authenticate(const unsigned char* data, std::size_t length) {
    ::hmac_sha1_update(&mac_, length, data);
}

bool AesDecryptor::authentic(const unsigned char* code) {
    unsigned char digest[SHA1_DIGEST_SIZE];
    ::hmac_sha1_digest(&mac_, sizeof digest, digest);
    return std::equal(digest, digest + AesCodeSize, code);
}

}  // namespace q32::zip
