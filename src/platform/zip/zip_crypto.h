// PKWARE's traditional encryption: a stream cipher of three 32-bit keys,
// each plain byte stirring them through CRC-32 steps. A member's data starts
// with 12 encrypted bytes whose last one, once decrypted, is a check byte:
// the high byte of the CRC-32, or of the DOS time when the member has a data
// descriptor (its CRC was not known when the header was written).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace q32::zip {

inline constexpr std::size_t ZipCryptoHeaderSize = 12;

class ZipCryptoKeys {
public:
    // The keys after the password.
    explicit ZipCryptoKeys(std::string_view password);
    ~ZipCryptoKeys();
    ZipCryptoKeys(const ZipCryptoKeys&) = default;
    ZipCryptoKeys& operator=(const ZipCryptoKeys&) = default;
    bool operator==(const ZipCryptoKeys&) const = default;

    // Decrypts `length` bytes from `from` into `to` (which may be the same).
    void decrypt(const unsigned char* from, unsigned char* to, std::size_t length);

private:
    unsigned char streamByte() const;
    void update(unsigned char plain);

    std::uint32_t keys_[3];
};

// The keys after the password and the member's 12-byte header, or nullopt
// when the header's check byte says the password is wrong (a wrong password
// passes this test 1 time in 256).
std::optional<ZipCryptoKeys> openZipCrypto(std::string_view password, const unsigned char* header,
                                           unsigned char checkByte);

}  // namespace q32::zip
