// Setup programs run for real: a 64-bit and a 32-bit setup.exe, built here
// with the mingw-w64 cross compilers, zipped with and without the executable
// bit, installed through the install command and started through Wine in a
// fresh Wine prefix of the test's own. Each records where it lies and its
// working folder in a file beside itself. Skipped where Wine or a compiler
// is missing.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <thread>

#include "support/program_test.h"
#include "zip_fixtures.h"

namespace q32::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSetupSource = R"(#include <windows.h>
#include <stdio.h>
#include <string.h>
int main(void) {
    char exe[MAX_PATH], folder[MAX_PATH], out[MAX_PATH + 16];
    GetModuleFileNameA(NULL, exe, MAX_PATH);
    GetCurrentDirectoryA(MAX_PATH, folder);
    strcpy(out, exe);
    strcpy(strrchr(out, '\\') + 1, "ran.txt");
    FILE* f = fopen(out, "w");
    if (!f) return 1;
    fprintf(f, "%s\n%s\n", exe, folder);
    fclose(f);
    return 0;
}
)";

bool onPath(const std::string& program) {
    return std::system(("command -v " + program + " > /dev/null 2>&1").c_str()) == 0;
}

class SetupThroughWineTest : public ProgramTest {
protected:
    SetupThroughWineTest() {
        drive.makeFolder("c:\\Down");
        ::setenv("WINEPREFIX", (drive.root() + "/wine-prefix").c_str(), 1);
        ::setenv("WINEDEBUG", "-all", 1);
        program.window.Form_Load();
        ui.processes.realStarts = true;
    }
    ~SetupThroughWineTest() override {
        // Fails when no wine server is left, which is fine too.
        [[maybe_unused]] const int stopped = std::system("wineserver -k > /dev/null 2>&1");
        ::unsetenv("WINEPREFIX");
    }
    // The setup program from the compiler, or "" when there is none.
    std::string compiled(const std::string& compiler) {
        if (!onPath(compiler)) return "";
        const std::string source = drive.root() + "/setup.c", exe = drive.root() + "/" + compiler + ".exe";
        std::ofstream(source) << kSetupSource;
        const std::string line = compiler + " -O1 -o '" + exe + "' '" + source + "'";
        return std::system(line.c_str()) == 0 ? zip::test::readBytes(exe) : "";
    }
    // Installs a package of the setup program, answers Yes, and waits for
    // what the setup program records (a fresh prefix takes a while).
    std::string installAndRun(const std::string& setup, unsigned mode) {
        fs::remove_all(drive.host("c:\\Quil001"));
        zip::test::MemberSpec member = zip::test::file("setup.exe", setup);
        member.unixMode = mode;
        zip::test::writeZip(drive.host("c:\\Down\\pkg.zip"), {member});
        ui.desktop.boxes.clear();
        ui.desktop.answers = {MsgAnswer::Yes};
        ui.toolbar.click(1);
        select("c:\\Down", {"pkg.zip"});
        ui.form.keyPress(keys::Tab);
        const std::string ran = drive.host("c:\\Quil001") + "/ran.txt";
        for (int i = 0; i < 3000 && !fs::exists(ran); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(100));
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        return fs::exists(ran) ? zip::test::readBytes(ran) : "(nothing ran)";
    }
    // Wine's name of the scratch folder ("Z:\tmp\...\Quil001").
    std::string wineName(const std::string& hostFolder) {
        std::string name = "Z:" + hostFolder;
        for (char& c : name) c = c == '/' ? '\\' : c;
        return name;
    }
};

TEST_F(SetupThroughWineTest, SetupProgramsRunInTheirOwnFolderWhateverTheirMode) {
    if (!onPath("wine")) GTEST_SKIP() << "Wine is not installed (the Debian packages wine and wine64)";
    // The new prefix is made first, however long a busy machine takes for it,
    // so that each install below waits for its setup program alone.
    ASSERT_EQ(std::system("wine wineboot --init > /dev/null 2>&1 && wineserver -w"), 0);
    const struct {
        const char* compiler;
        const char* what;
    } builds[] = {{"x86_64-w64-mingw32-gcc", "64-bit"}, {"i686-w64-mingw32-gcc", "32-bit"}};
    int ran = 0;
    for (const auto& build : builds) {
        const std::string setup = compiled(build.compiler);
        if (setup.empty()) continue;
        for (unsigned mode : {0755u, 0644u}) {
            SCOPED_TRACE(std::string(build.what) + (mode == 0755u ? ", executable" : ", not executable"));
            zip::test::writeBytes(drive.host("c:\\Down\\probe.exe"), setup);
            const StartCheck check = ui.realProcesses.checkStart({"", {"c:\\Down\\probe.exe"}});
            if (check.problem == StartProblem::NeedsWine32) {
                std::cout << "[ SKIPPED  ] " << build.what << ": Wine has no 32-bit part here (wine32:i386)\n";
                break;
            }
            const std::string folder = wineName(drive.host("c:\\Quil001"));
            EXPECT_EQ(installAndRun(setup, mode), folder + "\\setup.exe\r\n" + folder + "\r\n");
            EXPECT_EQ(ui.desktop.boxes.size(), 1u);  // the question alone
            ++ran;
        }
    }
    if (ran == 0) GTEST_SKIP() << "no mingw-w64 cross compiler (gcc-mingw-w64-x86-64, gcc-mingw-w64-i686)";
}

}  // namespace
}  // namespace q32::test
