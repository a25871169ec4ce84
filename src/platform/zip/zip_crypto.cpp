#include "platform/zip/zip_crypto.h"

#include <array>
#include <string.h>

namespace q32::zip {

namespace {

constexpr std::array<std::uint32_t, 256> crcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> CrcTable = crcTable();

// One CRC-32 step, without the pre- and post-inversion of a whole CRC.
std::uint32_t crcStep(std::uint32_t crc, unsigned char byte) { return CrcTable[(crc ^ byte) & 0xFF] ^ (crc >> 8); }

}  // namespace

ZipCryptoKeys::ZipCryptoKeys(std::string_view password) : keys_{0x12345678u, 0x23456789u, 0x34567890u} {
    for (const char c : password) update(static_cast<unsigned char>(c));
}

ZipCryptoKeys::~ZipCryptoKeys() { ::explicit_bzero(keys_, sizeof keys_); }

unsigned char ZipCryptoKeys::streamByte() const {
    const std::uint32_t temp = (keys_[2] | 2) & 0xFFFF;
    return static_cast<unsigned char>((temp * (temp ^ 1)) >> 8);
}

void ZipCryptoKeys::update(unsigned char plain) {
    keys_[0] = crcStep(keys_[0], plain);
    keys_[1] = (keys_[1] + (keys_[0] & 0xFF)) * 134775813u + 1;
    keys_[2] = crcStep(keys_[2], static_cast<unsigned char>(keys_[1] >> 24));
}

void ZipCryptoKeys::decrypt(const unsigned char* from, unsigned char* to, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned char plain = from[i] ^ streamByte();
        update(plain);
        to[i] = plain;
    }
}

std::optional<ZipCryptoKeys> openZipCrypto(std::string_view password, const unsigned char* header,
                                           unsigned char checkByte) {
    ZipCryptoKeys keys(password);
    unsigned char plain[ZipCryptoHeaderSize];
    keys.decrypt(header, plain, sizeof plain);
    const bool right = plain[ZipCryptoHeaderSize - 1] == checkByte;
    ::explicit_bzero(plain, sizeof plain);
    if (!right) return std::nullopt;
    return keys;
}

}  // namespace q32::zip
