// The per-user program folder of an install that cannot be written: it gets
// the files the program reads, never the programs.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "platform/host/program_folder.h"
#include "support/test_drive.h"

namespace q32::test {
namespace {

namespace fs = std::filesystem;

void write(const fs::path& path, const std::string& text, fs::perms perms = fs::perms::owner_read) {
    std::ofstream(path) << text;
    fs::permissions(path, perms);
}

TEST(ProgramFolder, PerUserCopyTakesTheHelpAndSoundsOnly) {
    TestDrive drive;
    const fs::path installed = drive.host("c:\\lib"), user = drive.host("c:\\user");
    fs::create_directories(installed);
    fs::create_directories(user);
    write(installed / "Quil32.HLP", "help");
    write(installed / "thunder.wav", "new thunder");
    write(installed / "quillet32-standin", "program", fs::perms::owner_all);
    fs::create_symlink("quillet32-standin", installed / "winhelp.exe");
    fs::create_directory(installed / "help");
    write(user / "thunder.wav", "kept");

    host::copyProgramFiles(installed, user);

    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(user)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Quil32.HLP", "thunder.wav"}));
    EXPECT_EQ(drive.readFile("c:\\user\\thunder.wav"), "kept");
}

}  // namespace
}  // namespace q32::test
