#include "platform/zip/member_keys.h"

#include <algorithm>

#include "platform/zip_engine.h"

namespace q32::zip {

namespace {

constexpr unsigned Ae2 = 2;

// Results that say nothing of the data's content: the data is not judged.
bool notAboutTheData(std::int16_t code) {
    return code == zipcode::Aborted || code == zipcode::CannotWrite || code == zipcode::CannotOpen ||
           code == zipcode::Truncated;
}

}  // namespace

bool decryptable(const MemberEntry& entry) {
    if (!entry.encrypted() || entry.strongEncryption()) return false;
    return entry.aesStrength != 0 || entry.method != method::Aes;
}

EncryptedSpan encryptedSpan(const MemberEntry& entry) {
    if (entry.aesStrength == 0) return {ZipCryptoHeaderSize, 0};
    return {aesSaltSize(entry.aesStrength) + AesVerifierSize, AesCodeSize};
}

MemberCipher::MemberCipher(const MemberKeys& keys, const MemberEntry& entry, const unsigned char* code)
    : checkCrc_(entry.aesVersion != Ae2) {
    if (const auto* zipCrypto = std::get_if<ZipCryptoKeys>(&keys.keys)) zipCrypto_.emplace(*zipCrypto);
    if (const auto* aes = std::get_if<AesKeys>(&keys.keys)) {
        aes_.emplace(*aes);
        std::copy_n(code, AesCodeSize, code_);
    }
}

void MemberCipher::decrypt(const unsigned char* from, unsigned char* to, std::size_t length) {
    if (zipCrypto_) zipCrypto_->decrypt(from, to, length);
    if (aes_) aes_->decrypt(from, to, length);
}

void MemberCipher::pass(const unsigned char* data, std::size_t length) {
    if (aes_) aes_->authenticate(data, length);
}

std::int16_t MemberCipher::conclude(std::int16_t decoded, CompressedInput& input) {
    if (!aes_ || notAboutTheData(decoded)) return decoded;
    // The decoder may have stopped early: the code covers every encrypted byte.
    const CompressedInput::Status rest = input.passRest();
    if (rest == CompressedInput::Status::ReadError) return zipcode::CannotOpen;
    if (rest != CompressedInput::Status::End) return zipcode::Truncated;
    if (!aes_->authentic(code_)) return NotAuthentic;
    return decoded == zipcode::CrcMismatch && !checkCrc_ ? zipcode::Success : decoded;
}

}  // namespace q32::zip
