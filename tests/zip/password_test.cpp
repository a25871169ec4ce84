#include <nettle/aes.h>
#include <nettle/hmac.h>
#include <nettle/pbkdf2.h>
#include <zip.h>
#include <zlib.h>

#include <filesystem>
#include <functional>
#include <thread>

#include "support/run_tool.h"
#include "zip_test_base.h"

namespace q32::zip::test {
namespace {

constexpr char Password[] = "Quill pass 7";

// Answers the engine's questions from a script, checking that they come on
// the test's own thread; a cancel once the script is used up. A question
// after a wrong answer is recorded as "<member> again".
class ScriptedPasswords final : public PasswordProvider {
public:
    explicit ScriptedPasswords(std::vector<std::string> answers) : answers_(std::move(answers)) {}

    std::optional<std::string> password(const PasswordRequest& request) override {
        EXPECT_EQ(std::this_thread::get_id(), caller_);
        questions.push_back(request.member + (request.lastWasWrong ? " again" : ""));
        archive = request.archive;
        if (whileAsked) whileAsked();
        if (next_ == answers_.size()) return std::nullopt;
        return answers_[next_++];
    }
    void accepted(const std::string& password) override { acceptedPasswords.push_back(password); }

    std::vector<std::string> questions;
    std::vector<std::string> acceptedPasswords;
    std::string archive;
    std::function<void()> whileAsked;  // what the user does while the question is shown

private:
    std::vector<std::string> answers_;
    std::size_t next_ = 0;
    std::thread::id caller_ = std::this_thread::get_id();
};

// PKWARE's traditional cipher once more, for writing members: the keys step
// through zlib's CRC-32 (its whole-CRC inversions undone).
class TraditionalCipher {
public:
    explicit TraditionalCipher(const std::string& password) {
        for (const char c : password) update(static_cast<unsigned char>(c));
    }
    std::string encrypt(const std::string& plain) {
        std::string out;
        for (const char c : plain) {
            const std::uint16_t temp = static_cast<std::uint16_t>(keys_[2] | 2);
            out += static_cast<char>(static_cast<unsigned char>(c) ^ ((temp * (temp ^ 1)) >> 8));
            update(static_cast<unsigned char>(c));
        }
        return out;
    }

private:
    static std::uint32_t crcStep(std::uint32_t crc, unsigned char byte) {
        return ~static_cast<std::uint32_t>(crc32(~crc, &byte, 1));
    }
    void update(unsigned char plain) {
        keys_[0] = crcStep(keys_[0], plain);
        keys_[1] = (keys_[1] + (keys_[0] & 0xFF)) * 134775813u + 1;
        keys_[2] = crcStep(keys_[2], static_cast<unsigned char>(keys_[1] >> 24));
    }
    std::uint32_t keys_[3] = {0x12345678, 0x23456789, 0x34567890};
};

// Stored members, each behind a fixed 12-byte header whose last byte is
// the CRC's high byte: no data descriptor.
void writeTraditionalZip(const std::string& path, const std::vector<MemberSpec>& members) {
    std::string body;
    std::vector<HeaderFields> entries;
    for (const MemberSpec& member : members) {
        const std::uint32_t crc = crcOf(member.data);
        const std::string header = "eleven byte" + std::string(1, static_cast<char>(crc >> 24));
        const std::string stored = TraditionalCipher(member.password).encrypt(header + member.data);
        HeaderFields fields{.name = member.name, .flags = 1, .crc = crc,
                            .compressed = static_cast<std::uint32_t>(stored.size()),
                            .size = static_cast<std::uint32_t>(member.data.size()),
                            .offset = static_cast<std::uint32_t>(body.size())};
        body += localHeader(fields) + stored;
        entries.push_back(fields);
    }
    writeBytes(path, withDirectory(body, entries));
}

// libzip writes AE-2 members; as AE-1 (whose CRC counts) they differ only in the field's version.
void makeAe1(const std::string& path) {
    std::string bytes = readBytes(path);
    const std::string ae2 = littleEndian({{0x9901, 2}, {7, 2}, {2, 2}}) + "AE";
    for (auto at = bytes.find(ae2); at != std::string::npos; at = bytes.find(ae2, at + 1)) bytes[at + 4] = 1;
    writeBytes(path, bytes);
}

// One stored AES-128 member (AE-2) under a salt of our choosing: libzip's
// are random. Counter blocks count from 1, little-endian.
void writeAesZip(const std::string& path, const std::string& name, const std::string& data,
                 const std::string& password, const std::string& salt) {
    const auto bytes = [](const std::string& text) { return reinterpret_cast<const std::uint8_t*>(text.data()); };
    std::uint8_t keys[2 * 16 + 2];
    pbkdf2_hmac_sha1(password.size(), bytes(password), 1000, salt.size(), bytes(salt), sizeof keys, keys);
    aes128_ctx aes;
    aes128_set_encrypt_key(&aes, keys);
    std::string encrypted = data;
    for (std::size_t block = 0; block * 16 < encrypted.size(); ++block) {
        std::uint8_t stream[16];
        const std::string counter = littleEndian({{block + 1, 8}, {0, 8}});
        aes128_encrypt(&aes, 16, stream, bytes(counter));
        for (std::size_t i = block * 16; i < std::min(encrypted.size(), block * 16 + 16); ++i) {
            encrypted[i] = static_cast<char>(encrypted[i] ^ stream[i % 16]);
        }
    }
    hmac_sha1_ctx mac;
    hmac_sha1_set_key(&mac, 16, keys + 16);
    hmac_sha1_update(&mac, encrypted.size(), bytes(encrypted));
    std::uint8_t code[SHA1_DIGEST_SIZE];
    hmac_sha1_digest(&mac, sizeof code, code);
    const std::string stored = salt + std::string(keys + 32, keys + 34) + encrypted + std::string(code, code + 10);
    const HeaderFields fields{.name = name, .version = 51, .method = 99, .flags = 1,
                              .compressed = static_cast<std::uint32_t>(stored.size()),
                              .size = static_cast<std::uint32_t>(data.size()),
                              .extra = littleEndian({{0x9901, 2}, {7, 2}, {2, 2}}) + "AE" +
                                       littleEndian({{1, 1}, {0, 2}})};  // AES-128, stored
    writeBytes(path, withDirectory(localHeader(fields) + stored, {fields}));
}

struct EncryptedCase {
    const char* label;
    std::uint16_t encryption;  // with libzip; ZIP_EM_NONE for our own PKWARE writer
    bool ae1 = false;
};

const EncryptedCase Traditional{"PKWARE, CRC check byte", ZIP_EM_NONE};
const EncryptedCase Aes128{"AES-128 AE-2", ZIP_EM_AES_128};
const EncryptedCase Aes256Ae1{"AES-256 AE-1", ZIP_EM_AES_256, true};
const EncryptedCase Aes256Ae2{"AES-256 AE-2", ZIP_EM_AES_256};
const EncryptedCase AllCases[] = {
    Traditional, {"PKWARE, data descriptor", ZIP_EM_TRAD_PKWARE}, Aes128, {"AES-192 AE-2", ZIP_EM_AES_192},
    Aes256Ae2,   Aes256Ae1,
};

const std::string& bigData() {
    static const std::string data = randomBytes(600000, 1);  // streamed, in several pieces
    return data;
}

// big.bin and notes.txt (small: read with its neighbours), both under `password`.
void writeEncrypted(const std::string& path, const EncryptedCase& how, const std::string& password = Password) {
    std::vector<MemberSpec> members{file("big.bin", bigData()), file("notes.txt", sampleText(3000, 2))};
    for (MemberSpec& member : members) {
        member.encryption = how.encryption;
        member.password = password;
    }
    if (how.encryption == ZIP_EM_NONE) return writeTraditionalZip(path, members);
    writeZip(path, members);
    if (how.ae1) makeAe1(path);
}

class Passwords : public ZipEngineTest {
protected:
    struct Outcome {
        std::int16_t tested;
        std::int16_t extracted;
        std::vector<std::string> questions;  // of the extraction; the test's must be the same
        std::vector<std::string> accepted;
    };

    // Tests, then extracts into out/, each call with its own provider that answers `answers`.
    Outcome testAndExtract(const std::string& archive, const std::vector<std::string>& answers) {
        ScriptedPasswords forTest(answers), forExtraction(answers);
        engine.setPasswordProvider(&forTest);
        const std::int16_t tested = test(archive);
        engine.setPasswordProvider(&forExtraction);
        const std::int16_t extracted = extract(archive, "out");
        engine.setPasswordProvider(nullptr);
        EXPECT_EQ(forTest.questions, forExtraction.questions);
        if (!forTest.questions.empty()) {
            EXPECT_EQ(forTest.archive, path(archive));
        }
        return {tested, extracted, forExtraction.questions, forExtraction.acceptedPasswords};
    }
};

using Questions = std::vector<std::string>;

TEST_F(Passwords, TheRightPasswordOpensEveryKindAndIsAskedOncePerCall) {
    for (const EncryptedCase& how : AllCases) {
        SCOPED_TRACE(how.label);
        std::filesystem::remove_all(path("out"));
        writeEncrypted(path("secret.zip"), how);
        if (how.encryption == ZIP_EM_TRAD_PKWARE) {
            const std::size_t flags = centralHeaderOffset(path("secret.zip"), "big.bin") + 8;
            EXPECT_EQ(readNumber(readBytes(path("secret.zip")), flags, 2) & 8, 8u);
        }
        EXPECT_EQ(test("secret.zip"), zipcode::Unsupported);  // no provider

        const Outcome outcome = testAndExtract("secret.zip", {Password});
        EXPECT_EQ(outcome.tested, zipcode::Success);
        EXPECT_EQ(outcome.extracted, zipcode::Success);
        EXPECT_EQ(outcome.questions, Questions{"big.bin"});
        EXPECT_EQ(outcome.accepted, Questions{Password});
        EXPECT_TRUE(contents("out/big.bin") == bigData());
        EXPECT_EQ(contents("out/notes.txt"), sampleText(3000, 2));
    }
}

// Archives other tools make: Info-ZIP's zip -P (traditional, with data
// descriptors) and 7-Zip's ZipCrypto and AES.
TEST_F(Passwords, ArchivesOfInfoZipAnd7ZipOpenWithTheirPassword) {
    const std::string pass = Password;
    const std::vector<std::pair<std::string, std::vector<std::string>>> makers = {
        {"/usr/bin/zip", {"-q", "-j", "-P", pass}},
        {"/usr/bin/7zz", {"a", "-tzip", "-p" + pass, "-mem=ZipCrypto"}},
        {"/usr/bin/7zz", {"a", "-tzip", "-p" + pass, "-mem=AES128"}},
        {"/usr/bin/7zz", {"a", "-tzip", "-p" + pass, "-mem=AES256"}},
    };
    writeBytes(path("big.bin"), bigData());
    writeBytes(path("notes.txt"), sampleText(3000, 2));
    for (auto [tool, args] : makers) {
        SCOPED_TRACE(tool + " " + args.back());
        if (!std::filesystem::exists(tool)) GTEST_SKIP() << "no " << tool;
        std::filesystem::remove_all(path("out"));
        std::filesystem::remove(path("made.zip"));
        args.insert(args.end(), {path("made.zip"), path("big.bin"), path("notes.txt")});
        ASSERT_EQ(q32::test::runTool(tool, args).exitCode, 0);
        const Outcome outcome = testAndExtract("made.zip", {Password});
        EXPECT_EQ(outcome.tested, zipcode::Success);
        EXPECT_EQ(outcome.extracted, zipcode::Success);
        EXPECT_EQ(outcome.questions, Questions{"big.bin"});
        EXPECT_TRUE(contents("out/big.bin") == bigData());
        EXPECT_EQ(contents("out/notes.txt"), sampleText(3000, 2));
    }
}

// A wrong answer fails the member's check (our PKWARE header is fixed, so
// this one always does; AES ends the same way should the verifier let it through).
TEST_F(Passwords, AWrongPasswordIsAskedAgain) {
    for (const EncryptedCase& how : {Traditional, Aes256Ae2}) {
        SCOPED_TRACE(how.label);
        std::filesystem::remove_all(path("out"));
        writeEncrypted(path("secret.zip"), how);

        const Outcome outcome = testAndExtract("secret.zip", {"Quill pass 8", Password});
        EXPECT_EQ(outcome.tested, zipcode::Success);
        EXPECT_EQ(outcome.extracted, zipcode::Success);
        EXPECT_EQ(outcome.questions, (Questions{"big.bin", "big.bin again"}));
        EXPECT_EQ(outcome.accepted, Questions{Password});
        EXPECT_TRUE(contents("out/big.bin") == bigData());
    }
}

// "guess 127140" has the verifier of Password under this salt: it passes the
// check, and only the authentication code finds it wrong.
TEST_F(Passwords, APasswordThatFailsTheAuthenticationIsAskedAgain) {
    writeAesZip(path("salted.zip"), "big.bin", bigData(), Password, "saltsalt");
    const Outcome outcome = testAndExtract("salted.zip", {"guess 127140", Password});
    EXPECT_EQ(outcome.tested, zipcode::Success);
    EXPECT_EQ(outcome.extracted, zipcode::Success);
    EXPECT_EQ(outcome.questions, (Questions{"big.bin", "big.bin again"}));
    EXPECT_TRUE(contents("out/big.bin") == bigData());
    EXPECT_EQ(temp.listing(), (Questions{"out", "out/big.bin", "salted.zip"}));
}

TEST_F(Passwords, EveryPasswordThatWorkedIsTriedBeforeAsking) {
    const auto aes = [](const char* name, const char* data, std::uint16_t keys, const char* password) {
        return MemberSpec{.name = name, .data = data, .encryption = keys, .password = password};
    };
    writeZip(path("mixed.zip"),
             {aes("a.txt", "first", ZIP_EM_AES_128, "one"), aes("b.txt", "second", ZIP_EM_AES_256, "one"),
              aes("c.txt", "third", ZIP_EM_AES_192, "two"), aes("d.txt", "fourth", ZIP_EM_AES_128, "one"),
              file("plain.txt", "not encrypted")});
    const Outcome outcome = testAndExtract("mixed.zip", {"one", "two"});
    EXPECT_EQ(outcome.extracted, zipcode::Success);
    EXPECT_EQ(outcome.questions, (Questions{"a.txt", "c.txt"}));
    EXPECT_EQ(outcome.accepted, (Questions{"one", "two"}));
    EXPECT_EQ(contents("out/d.txt"), "fourth");
}

TEST_F(Passwords, ACancelStopsTheCallAndLeavesNothingHalfWritten) {
    writeEncrypted(path("secret.zip"), Traditional);
    std::filesystem::create_directories(path("out"));
    writeBytes(path("out/big.bin"), "the copy from before");

    Outcome outcome = testAndExtract("secret.zip", {});
    EXPECT_EQ(outcome.tested, zipcode::PasswordCancelled);
    EXPECT_EQ(outcome.extracted, zipcode::PasswordCancelled);
    EXPECT_EQ(outcome.questions, Questions{"big.bin"});
    EXPECT_EQ(temp.listing(), (Questions{"out", "out/big.bin", "secret.zip"}));
    EXPECT_EQ(contents("out/big.bin"), "the copy from before");

    // Cancelled when asked again for a member whose data did not authenticate:
    // the members already written stay, that one is not left behind.
    writeZip(path("late.zip"), {file("plain.txt", "written first"),
                                MemberSpec{.name = "big.bin", .data = bigData(), .encryption = ZIP_EM_AES_256,
                                           .password = Password}});
    flipByte(path("late.zip"), memberDataOffset(path("late.zip"), "big.bin") + 5000);
    std::filesystem::remove_all(path("out"));
    outcome = testAndExtract("late.zip", {Password});
    EXPECT_EQ(outcome.tested, zipcode::PasswordCancelled);
    EXPECT_EQ(outcome.extracted, zipcode::PasswordCancelled);
    EXPECT_EQ(outcome.questions, (Questions{"big.bin", "big.bin again"}));
    EXPECT_EQ(temp.listing(), (Questions{"late.zip", "out", "out/plain.txt", "secret.zip"}));

    // The window closed while the question was shown: the call stops as for Escape.
    ScriptedPasswords closing({Password});
    closing.whileAsked = [this] { engine.setAbort(true); };
    engine.setPasswordProvider(&closing);
    std::filesystem::remove_all(path("out"));
    EXPECT_EQ(extract("secret.zip", "out"), zipcode::Aborted);
    EXPECT_FALSE(exists("out"));
}

// Damage to an encrypted member, once the password is right, gives the
// damage's code; data that does not authenticate is asked for again first.
struct EncryptedHarm {
    const char* what;
    const EncryptedCase& how;
    std::function<void(const std::string& archive)> apply;
    std::int16_t code;
    Questions questions;
};

TEST_F(Passwords, DamageBehindTheRightPasswordGivesItsCode) {
    const auto flipData = [](const std::string& a) { flipByte(a, memberDataOffset(a, "big.bin") + 5000); };
    const auto wrongCrc = [](const std::string& a) {
        patchNumber(a, centralHeaderOffset(a, "big.bin") + 16, 0x1234, 4);
    };
    const std::vector<EncryptedHarm> harms{
        {"PKWARE data", Traditional, flipData, zipcode::CrcMismatch, {"big.bin"}},
        {"AE-1 CRC", Aes256Ae1, wrongCrc, zipcode::CrcMismatch, {"big.bin"}},
        {"AE-2 CRC, which is not checked", Aes256Ae2, wrongCrc, zipcode::Success, {"big.bin"}},
        {"AES data", Aes128, flipData, zipcode::CrcMismatch, {"big.bin", "big.bin again"}},
    };
    for (const EncryptedHarm& harm : harms) {
        SCOPED_TRACE(harm.what);
        std::filesystem::remove_all(path("out"));
        writeEncrypted(path("harmed.zip"), harm.how);
        harm.apply(path("harmed.zip"));

        const Outcome outcome = testAndExtract("harmed.zip", {Password, Password});
        EXPECT_EQ(outcome.tested, harm.code);
        EXPECT_EQ(outcome.extracted, harm.code);
        EXPECT_EQ(outcome.questions, harm.questions);
        EXPECT_EQ(exists("out/big.bin"), harm.code == zipcode::Success);
        EXPECT_EQ(contents("out/notes.txt"), sampleText(3000, 2));
    }
}

}  // namespace
}  // namespace q32::zip::test
