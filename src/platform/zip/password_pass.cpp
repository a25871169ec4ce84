#include "platform/zip/password_pass.h"

#include "platform/zip/local_header.h"
#include "platform/zip/zip_records.h"

namespace q32::zip {

namespace {

// The last byte of a right PKWARE header: the CRC's high byte, or the DOS
// time's when a data descriptor follows the data.
unsigned char checkByte(const MemberEntry& entry) {
    if (entry.flags & records::DataDescriptorFlag) return static_cast<unsigned char>((entry.dosDateTime >> 8) & 0xFF);
    return static_cast<unsigned char>(entry.crc >> 24);
}

}  // namespace

PasswordPass::PasswordPass(PasswordProvider* provider, std::string archive, const ArchiveFile& file,
                           const ZipDirectory& directory)
    : provider_(provider), archive_(std::move(archive)), file_(file), directory_(directory) {}

std::int16_t PasswordPass::open(const PlannedMembers& members, const KeepGoing& keepGoing) {
    if (!provider_) return zipcode::Success;
    for (const PlannedMember& member : members) {
        const MemberEntry& entry = directory_.members[member.index];
        if (!decryptable(entry)) continue;
        if (!keepGoing()) return zipcode::Aborted;
        const CipherHeader header = readHeader(entry);
        if (header.code != zipcode::Success) {
            keys_.set(member.index, MemberKeys{header.code, {}});
            continue;
        }
        std::optional<MemberKeys> keys = tryRemembered(entry, header);
        std::int16_t stop = zipcode::Success;
        if (!keys) keys = ask(member.index, header, false, keepGoing, stop);
        if (!keys) return stop;
        keys_.set(member.index, std::move(*keys));
    }
    return zipcode::Success;
}

std::int16_t PasswordPass::reopen(std::size_t index, const KeepGoing& keepGoing) {
    const CipherHeader header = readHeader(directory_.members[index]);
    if (header.code != zipcode::Success) return header.code;
    std::int16_t stop = zipcode::Success;
    std::optional<MemberKeys> keys = ask(index, header, true, keepGoing, stop);
    if (!keys) return stop;
    const MemberKeys* before = keys_.find(index);
    if (before && *before == *keys) return zipcode::CrcMismatch;
    keys_.set(index, std::move(*keys));
    return zipcode::Success;
}

PasswordPass::CipherHeader PasswordPass::readHeader(const MemberEntry& entry) const {
    CipherHeader header;
    const LocatedData data = locateMemberData(file_, entry, BatchView{});
    header.code = data.code;
    if (header.code != zipcode::Success) return header;
    const EncryptedSpan span = encryptedSpan(entry);
    if (entry.compressedSize < span.header + span.trailer) {
        header.code = zipcode::BadData;
        return header;
    }
    header.code = readFileBytes(file_, BatchView{}, data.offset, header.bytes, span.header);
    return header;
}

std::optional<MemberKeys> PasswordPass::tryPassword(std::string_view password, const MemberEntry& entry,
                                                    const CipherHeader& header) const {
    if (entry.aesStrength != 0) {
        auto aes = openAes(password, entry.aesStrength, header.bytes);
        if (!aes) return std::nullopt;
        return MemberKeys{zipcode::Success, std::move(*aes)};
    }
    auto zipCrypto = openZipCrypto(password, header.bytes, checkByte(entry));
    if (!zipCrypto) return std::nullopt;
    return MemberKeys{zipcode::Success, std::move(*zipCrypto)};
}

std::optional<MemberKeys> PasswordPass::tryRemembered(const MemberEntry& entry, const CipherHeader& header) const {
    for (const SecretText& password : worked_) {
        if (auto keys = tryPassword(password.view(), entry, header)) return keys;
    }
    return std::nullopt;
}

std::optional<MemberKeys> PasswordPass::ask(std::size_t index, const CipherHeader& header, bool lastWasWrong,
                                            const KeepGoing& keepGoing, std::int16_t& stop) {
    const MemberEntry& entry = directory_.members[index];
    PasswordRequest request{archive_, std::string(directory_.name(entry)), lastWasWrong};
    for (;;) {
        std::optional<std::string> answer = provider_->password(request);
        if (!answer) {
            stop = zipcode::PasswordCancelled;
            return std::nullopt;
        }
        SecretText password(*answer);
        if (!keepGoing()) {
            stop = zipcode::Aborted;
            return std::nullopt;
        }
        if (auto keys = tryPassword(password.view(), entry, header)) {
            provider_->accepted(password.text());
            remember(password);
            return keys;
        }
        request.lastWasWrong = true;
    }
}

void PasswordPass::remember(const SecretText& password) {
    for (const SecretText& known : worked_) {
        if (known.view() == password.view()) return;
    }
    std::string copy = password.text();
    worked_.emplace_front(copy);
}

}  // namespace q32::zip
