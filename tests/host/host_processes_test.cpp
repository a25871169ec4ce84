// The host layer's programs: what kind a program is, splitting command lines,
// finding programs, and running them. The program's sounds as the build makes
// them, and the length a synchronous play waits for at most.
#include "platform/host/host_processes.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/host/program_head.h"
#include "platform/wav_length.h"
#include "support/test_drive.h"

namespace q32::host {
namespace {

namespace fs = std::filesystem;
using test::TestDrive;

// A DOS header whose newer header, when `signature` is given, lies at 80h;
// PE headers carry their machine and optional header magic.
std::string programBytes(std::string signature = "", std::uint16_t machine = 0, std::uint16_t magic = 0) {
    std::string bytes(0x80, '\0');
    bytes[0] = 'M';
    bytes[1] = 'Z';
    bytes[0x18] = 0x40;
    bytes[0x3C] = static_cast<char>(0x80);
    const auto put16 = [&bytes](std::size_t at, std::uint16_t value) {
        bytes[at] = static_cast<char>(value & 0xFF);
        bytes[at + 1] = static_cast<char>(value >> 8);
    };
    bytes += signature;
    if (signature.substr(0, 2) != "PE") return bytes + std::string(64, '\0');
    bytes.resize(0x80 + 26, '\0');
    put16(0x80 + 4, machine);
    put16(0x80 + 24, magic);
    return bytes + std::string(200, '\0');
}
const std::string kPe("PE\0\0", 4);
// Relocations right after the header: no newer one behind it.
std::string dosProgram() { return programBytes().replace(0x18, 1, 1, '\x1C'); }

TEST(ProgramHead, TellsDosWindowsAndWhatIsNoProgram) {
    const struct {
        const char* what;
        std::string bytes;
        ProgramKind kind;
    } cases[] = {
        {"DOS", dosProgram(), ProgramKind::Dos},
        {"NE", programBytes("NE"), ProgramKind::Windows16},
        {"PE32", programBytes(kPe, 0x014C, 0x010B), ProgramKind::Windows32},
        {"PE32+", programBytes(kPe, 0x8664, 0x020B), ProgramKind::Windows64},
        {"PE for ARM", programBytes(kPe, 0x01C4, 0x010B), ProgramKind::NotAProgram},
        {"PE cut short", programBytes(kPe, 0x014C, 0x010B).substr(0, 0x80 + 20), ProgramKind::NotAProgram},
        {"only starts with MZ", "MZ, said the text", ProgramKind::NotAProgram},
        {"text", "This is the setup text\r\n" + std::string(100, '.'), ProgramKind::NotAProgram},
    };
    for (const auto& c : cases) EXPECT_EQ(programKindOf(c.bytes), c.kind) << c.what;
}

class ProcessesTest : public ::testing::Test {
protected:
    ProcessesTest() {
        for (const std::string& folder : {exeFolder, progFolder}) fs::create_directories(folder);
        search = {exeFolder, progFolder, &drive.fs().driveTable(), exeFolder + "/wine32-loader"};
    }
    void script(const std::string& path, const std::string& body) {
        std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
        fs::permissions(path, fs::perms::owner_all);
    }
    TestDrive drive;
    std::string exeFolder = drive.root() + "/exe", progFolder = drive.root() + "/prog";
    ProgramSearch search;
};

// Never in the current folder, not even through an empty entry of $PATH.
TEST_F(ProcessesTest, ProgramsAreFoundInOrderWithoutLetterCaseButNotInTheCurrentFolder) {
    for (const std::string& path : {exeFolder + "/WRAR.EXE", progFolder + "/wrar.exe", progFolder + "/killd.pif"})
        script(path, "exit 0");
    EXPECT_EQ(findProgram("wrar.exe", search), exeFolder + "/WRAR.EXE");
    EXPECT_EQ(findProgram("KillD.pif", search), progFolder + "/killd.pif");
    EXPECT_TRUE(findProgram("sh", search).has_value());
    EXPECT_FALSE(findProgram("no-such-program.exe", search));
    drive.writeFile("c:\\Quil001\\setup.exe", "MZ");
    EXPECT_EQ(findProgram("c:\\QUIL001\\SETUP.EXE", search), drive.host("c:\\Quil001\\setup.exe"));

    script(drive.root() + "/wine", "exit 0");
    const fs::path before = fs::current_path();
    const std::string path = std::getenv("PATH");
    fs::current_path(drive.root());
    ::setenv("PATH", (":" + path).c_str(), 1);
    const auto found = findProgram("wine", search);
    std::error_code error;
    const bool foundHere = found && fs::equivalent(*found, drive.root() + "/wine", error);
    ::setenv("PATH", path.c_str(), 1);
    fs::current_path(before);
    EXPECT_FALSE(foundHere) << found.value_or("");
}

TEST_F(ProcessesTest, RunAndWaitReturnsAfterTheProgramHasEndedOrCouldNotStart) {
    const std::string done = drive.root() + "/done";
    script(exeFolder + "/slow.pif", "sleep 1; printf '%s|' \"$@\" > '" + done + "'; exit 3");
    HostProcesses processes(search);
    // Names arrive exactly, whatever blanks or quotes they hold.
    const CommandLine command("slow.pif x  -y", {"c:\\My  Down\\\"a\".rar ", " c:\\Quil001"});
    EXPECT_EQ(command.text(), "slow.pif x -y c:\\My  Down\\\"a\".rar   c:\\Quil001");
    EXPECT_EQ(processes.runAndWait(command), 3);
    EXPECT_EQ(test::readBytes(done), "x|-y|c:\\My  Down\\\"a\".rar | c:\\Quil001|");

    // A program that cannot start: returns rather than waiting for nothing.
    EXPECT_EQ(processes.runAndWait("no-such-program.exe x -y a b"), kNotStarted);
    EXPECT_EQ(processes.runAndWait(""), kNotStarted);
    EXPECT_FALSE(processes.argumentsFor("no-such-program.exe"));
    // A Windows program without Wine, or a file that is not a program, is not started.
    drive.writeFile("c:\\Quil001\\readme.txt", "text");
    EXPECT_FALSE(processes.argumentsFor("c:\\Quil001\\readme.txt"));
}

// Whatever its mode, a Windows program goes to Wine, which starts in the
// program's own folder; a file that only looks like one is not started.
TEST_F(ProcessesTest, WindowsProgramsRunThroughWineInTheirOwnFolder) {
    const std::string seen = drive.root() + "/seen";
    script(exeFolder + "/wine", "printf '%s|%s' \"$PWD\" \"$*\" > '" + seen + "'");
    script(exeFolder + "/wine32-loader", "exit 0");
    HostProcesses processes(search);
    for (const auto mode : {fs::perms::owner_read, fs::perms::owner_all}) {
        drive.writeFile("c:\\Disk 1\\setup.exe", programBytes(kPe, 0x014C, 0x010B));
        fs::permissions(drive.host("c:\\Disk 1\\setup.exe"), mode);
        fs::remove(seen);
        EXPECT_EQ(processes.runAndWait({"", {"c:\\Disk 1\\setup.exe"}}), 0);
        EXPECT_EQ(test::readBytes(seen), drive.host("c:\\Disk 1") + "|" + drive.host("c:\\Disk 1\\setup.exe"));
    }
    drive.writeFile("c:\\Disk 1\\setup.exe", "MZ, said the text");
    EXPECT_FALSE(processes.argumentsFor({"", {"c:\\Disk 1\\setup.exe"}}));
}

// Each kind of program needs its runner: Wine, its 32-bit part, or DOSBox.
TEST_F(ProcessesTest, TheStartCheckNamesTheRunnerThatIsMissing) {
    const std::pair<const char*, std::string> programs[] = {
        {"dos.exe", dosProgram()}, {"ne.exe", programBytes("NE")}, {"pe32.exe", programBytes(kPe, 0x014C, 0x010B)},
        {"pe64.exe", programBytes(kPe, 0x8664, 0x020B)}, {"text.exe", "MZ, said the text"}};
    for (const auto& [name, bytes] : programs) drive.writeFile("c:\\" + std::string(name), bytes);
    const std::string path = std::getenv("PATH");
    ::setenv("PATH", (drive.root() + "/no-programs").c_str(), 1);  // this machine's Wine and DOSBox hidden
    HostProcesses processes(search);
    const auto problems = [&] {
        std::vector<StartProblem> found;
        for (const auto& program : programs)
            found.push_back(processes.checkStart({"", {"c:\\" + std::string(program.first)}}).problem);
        return found;
    };
    using P = StartProblem;
    EXPECT_EQ(problems(), (std::vector<P>{P::NeedsWine, P::NeedsWine, P::NeedsWine, P::NeedsWine, P::NotAProgram}));
    script(exeFolder + "/wine", "exit 0");
    EXPECT_EQ(problems(), (std::vector<P>{P::NeedsDosBox, P::NeedsWine32, P::NeedsWine32, P::None, P::NotAProgram}));
    script(exeFolder + "/wine32-loader", "exit 0");
    script(exeFolder + "/dosbox", "exit 0");
    EXPECT_EQ(problems(), (std::vector<P>{P::None, P::None, P::None, P::None, P::NotAProgram}));
    EXPECT_EQ(processes.checkStart({"", {"c:\\ne.exe"}}).kind, ProgramKind::Windows16);
    EXPECT_EQ(processes.checkStart({"dosbox"}).kind, ProgramKind::Native);
    ::setenv("PATH", path.c_str(), 1);
}

// A start hands the program over; Wine failing at once, or a runner that
// cannot be executed, is reported rather than swallowed.
TEST_F(ProcessesTest, AStartThroughWineReportsAnEarlyFailure) {
    drive.writeFile("c:\\setup.exe", programBytes(kPe, 0x8664, 0x020B));
    HostProcesses processes(search);
    const std::pair<std::string, int> runners[] = {
        {"#!/bin/sh\nexit 0\n", kStarted},
        {"#!/bin/sh\nsleep 3\n", kStarted},
        {"#!/bin/sh\nexit 3\n", 3},
        {"#!/no/such/shell\n", kNotStarted},
    };
    for (const auto& [body, code] : runners) {
        std::ofstream(exeFolder + "/wine") << body;
        fs::permissions(exeFolder + "/wine", fs::perms::owner_all);
        EXPECT_EQ(processes.start({"", {"c:\\setup.exe"}}, ShowState::Hidden), code) << body;
    }
}

TEST_F(ProcessesTest, StartDoesNotWait) {
    const std::string done = drive.root() + "/started";
    script(exeFolder + "/viewer.exe", "sleep 2; touch '" + done + "'");
    HostProcesses processes(search);
    processes.start("viewer.exe c:\\x.txt", ShowState::Normal);
    EXPECT_FALSE(fs::exists(done));
    for (int i = 0; i < 100 && !fs::exists(done); ++i) ::usleep(50000);
    EXPECT_TRUE(fs::exists(done));
}

TEST(ProgramSounds, AreSixteenBitPcmOfASecondOrTwo) {
    for (const char* name : {"error.wav", "thunder.wav"}) {
        const std::string wav = test::readBytes(std::string(Q32_BIN_DIR) + "/" + name);
        ASSERT_GT(wav.size(), 44u) << name;
        EXPECT_EQ(test::readNumber(wav, 20, 2), 1u) << name;   // PCM
        EXPECT_EQ(test::readNumber(wav, 34, 2), 16u) << name;  // bits a sample
        const auto length = wavLength(wav);
        ASSERT_TRUE(length) << name;
        EXPECT_GT(length->count(), 300) << name;
        EXPECT_LT(length->count(), 3000) << name;
        // A file cut short waits only for what is there; a file that is no WAV not at all.
        EXPECT_LT(wavLength(wav.substr(0, wav.size() / 2)), length) << name;
        EXPECT_FALSE(wavLength("RIFF" + wav.substr(4, 8) + "data" + wav.substr(40))) << name;
        EXPECT_FALSE(wavLength(wav.substr(0, 30))) << name;
    }
}

}  // namespace
}  // namespace q32::host
