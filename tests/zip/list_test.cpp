// A list of archives tested in one call: the results, status and password
// questions of each archive as if it were tested alone, in the list's order.
#include <zip.h>

#include <algorithm>

#include "zip_test_base.h"

namespace q32::zip::test {
namespace {

constexpr char Password[] = "list pass";

// What the caller sees, in order: "status <percent>", "tested <index> <code>", "password <member>".
class List : public ZipEngineTest {
protected:
    class LoggedPasswords final : public PasswordProvider {
    public:
        explicit LoggedPasswords(std::vector<std::string>& log) : log_(log) {}
        std::optional<std::string> password(const PasswordRequest& request) override {
            log_.push_back("password " + request.member);
            return Password;
        }

    private:
        std::vector<std::string>& log_;
    };

    void logStatus() {
        engine.onStatus = [this](int percent) { log.push_back("status " + std::to_string(percent)); };
    }
    std::vector<std::int16_t> testList(const std::vector<std::string>& names) {
        std::vector<std::string> archives;
        for (const auto& name : names) archives.push_back(path(name));
        engine.setFileMask("");
        return engine.testArchives(archives, [this](std::size_t index, std::int16_t code) {
            log.push_back("tested " + std::to_string(index) + " " + std::to_string(code));
        });
    }
    // The log between archive `index - 1`'s result and archive `index`'s.
    std::vector<std::string> turnOf(std::size_t index) const {
        auto from = log.begin();
        if (index > 0) {
            from = std::find(log.begin(), log.end(), testedLine(index - 1));
            if (from == log.end()) return {};
            ++from;
        }
        const auto isResult = [](const std::string& line) { return line.starts_with("tested"); };
        return {from, std::find_if(from, log.end(), isResult)};
    }
    std::string testedLine(std::size_t index) const {
        const auto found = std::find_if(log.begin(), log.end(), [&](const std::string& line) {
            return line.starts_with("tested " + std::to_string(index) + " ");
        });
        return found == log.end() ? "" : *found;
    }

    std::vector<std::string> log;
    LoggedPasswords passwords{log};
};

std::vector<MemberSpec> smallFiles(int count) {
    std::vector<MemberSpec> members;
    for (int i = 0; i < count; ++i) members.push_back(file("d/f" + std::to_string(i) + ".txt", sampleText(300, i)));
    return members;
}

struct Listed {
    const char* name;
    std::int16_t code;
    bool decoded;  // its members were decoded: its status ends at 100
    std::function<void(const std::string& archive)> write;
};

TEST_F(List, EachArchiveGetsTheResultStatusAndQuestionsOfItsOwnTestInTurn) {
    using Archive = const std::string&;
    const std::vector<Listed> listed{
        {"big.zip", zipcode::Success, true,
         [](Archive a) { writeZip(a, {file("big.bin", sampleText(6 << 20, 1)), file("tail.txt", "tail")}); }},
        {"many.zip", zipcode::Success, true, [](Archive a) { writeZip(a, smallFiles(3000)); }},
        {"crc.zip", zipcode::CrcMismatch, true,
         [](Archive a) {
             writeZip(a, {file("first.txt", "first"), file("stored.txt", "stored payload", ZIP_CM_STORE)});
             flipByte(a, findBytes(a, "payload"));
         }},
        {"missing.zip", zipcode::CannotOpen, false, [](Archive) {}},
        {"bad data.zip", zipcode::BadData, true,
         [](Archive a) {
             std::vector<MemberSpec> members = smallFiles(200);
             members.push_back(file("packed.txt", sampleText(20000, 7)));
             writeZip(a, members);
             patchByte(a, memberDataOffset(a, "packed.txt"), 0x07);  // the last block, of the reserved type
         }},
        {"text.zip", zipcode::NotAZip, false, [](Archive a) { writeBytes(a, "no archive, only words\n"); }},
        {"locked.zip", zipcode::Success, true,
         [](Archive a) {
             MemberSpec locked = file("locked.txt", sampleText(5000, 3));
             locked.encryption = ZIP_EM_TRAD_PKWARE;
             locked.password = Password;
             writeZip(a, {file("open.txt", "open"), locked});
         }},
        {"empty.zip", zipcode::NothingToDo, false, [](Archive a) { writeBytes(a, endRecord(0, 0, 0)); }},
        {"sound.zip", zipcode::Success, true, [](Archive a) { writeZip(a, smallFiles(5)); }},
    };
    std::vector<std::string> names;
    for (const Listed& archive : listed) {
        archive.write(path(archive.name));
        names.push_back(archive.name);
    }
    engine.setPasswordProvider(&passwords);
    for (const Listed& archive : listed) EXPECT_EQ(test(archive.name), archive.code) << archive.name << " alone";
    log.clear();
    logStatus();

    const std::vector<std::int16_t> codes = testList(names);

    for (std::size_t i = 0; i < listed.size(); ++i) {
        SCOPED_TRACE(listed[i].name);
        EXPECT_EQ(codes[i], listed[i].code);
        EXPECT_EQ(testedLine(i), "tested " + std::to_string(i) + " " + std::to_string(listed[i].code));
        std::vector<std::string> turn = turnOf(i);
        const bool asked = std::erase(turn, "password locked.txt") == 1;
        EXPECT_EQ(asked, listed[i].name == std::string("locked.zip"));
        ASSERT_FALSE(turn.empty());
        EXPECT_EQ(turn.front(), "status 0");
        EXPECT_EQ(std::count(turn.begin(), turn.end(), "status 100"), listed[i].decoded ? 1 : 0);
        if (listed[i].decoded) {
            EXPECT_EQ(turn.back(), "status 100");
        }
        std::vector<int> percents;
        for (const auto& line : turn) percents.push_back(std::stoi(line.substr(7)));
        EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
    }
}

// Where the user stops the list, and what the list gives then.
struct Stop {
    const char* when;
    int statusCall;  // stops at this status call of the first archive
    std::vector<std::int16_t> codes;
};

TEST_F(List, AStopEndsTheListAndTheArchivesAfterAreNeitherTestedNorReported) {
    writeZerosZip(path("zeros.zip"), "zeros.bin", 0xF0000000);  // 3.75 GB to inflate
    writeZip(path("many.zip"), smallFiles(3000));
    writeZip(path("sound.zip"), smallFiles(5));
    const std::vector<Stop> stops{
        {"before any work", 1, {zipcode::Aborted, zipcode::Aborted, zipcode::Aborted}},
        {"while its member decodes", 2, {zipcode::Aborted, zipcode::Aborted, zipcode::Aborted}},
    };
    for (const Stop& stop : stops) {
        SCOPED_TRACE(stop.when);
        log.clear();
        int calls = 0;
        engine.onStatus = [&](int) {
            if (++calls == stop.statusCall) engine.setAbort(true);
        };
        EXPECT_EQ(testList({"zeros.zip", "many.zip", "sound.zip"}), stop.codes);
        EXPECT_EQ(log, (std::vector<std::string>{"tested 0 190"}));
    }

    engine.onStatus = nullptr;
    log.clear();
    std::vector<std::string> archives{path("sound.zip"), path("many.zip"), path("sound.zip")};
    const auto codes = engine.testArchives(archives, [&](std::size_t index, std::int16_t code) {
        log.push_back("tested " + std::to_string(index) + " " + std::to_string(code));
        engine.setAbort(true);  // after the first archive's result
    });
    EXPECT_EQ(codes, (std::vector<std::int16_t>{zipcode::Success, zipcode::Aborted, zipcode::Aborted}));
    EXPECT_EQ(log, (std::vector<std::string>{"tested 0 0"}));
}

}  // namespace
}  // namespace q32::zip::test
