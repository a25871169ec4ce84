// Times the install command against the bare zip engine on the same archives,
// in one run: the archives are copied into a fresh drive c: (in $TMPDIR; use
// tmpfs), selected with Ctrl+S and installed with Tab through a main window on
// headless controls; then the engine alone extracts each of them into a
// scratch folder, as `zipbench extract` does. Each side runs RUNS times
// (default 5), alternating; the medians and the min-max spread are printed.
//   installbench ARCHIVE...
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/text.h"
#include "support/program_test.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double secondsOf(const std::function<void()>& work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct Spread {
    double median, low, high;
};

Spread spreadOf(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.front(), times.back()};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: installbench ARCHIVE...   (environment: RUNS=5, TMPDIR=/dev/shm)\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(std::getenv("RUNS") ? std::getenv("RUNS") : "5"));
    q32::test::TestDrive drive;
    drive.makeFolder("c:\\zips");
    std::vector<std::string> names;
    for (int i = 1; i < argc; ++i) {
        names.push_back(fs::path(argv[i]).filename().string());
        fs::copy_file(argv[i], drive.host("c:\\zips\\" + names.back()));
    }
    q32::test::TestProgram program(drive);
    q32::test::HeadlessUi& ui = program.ui;
    program.window.Form_Load();
    const std::string scratch = drive.host("c:\\Quil001");

    std::vector<double> command, engine;
    for (int run = 0; run < runs; ++run) {
        ui.tree.userSelects("c:\\zips");
        ui.desktop.boxes.clear();
        ui.desktop.answers = {q32::MsgAnswer::No};  // to the setup question
        command.push_back(secondsOf([&] {
            ui.form.keyPress(q32::keys::CtrlS);
            ui.form.keyPress(q32::keys::Tab);
        }));
        if (!ui.desktop.boxes.empty() && ui.desktop.boxes.back().title == "Quillet32 Error") {
            std::fprintf(stderr, "the install said: %s\n", ui.desktop.boxes.back().text.c_str());
            return 1;
        }
        fs::remove_all(scratch);
        engine.push_back(secondsOf([&] {
            for (const std::string& name : names) {
                ui.zip.setFileMask("*.*\r");
                ui.zip.setDestinationFolder("c:\\Quil001");
                ui.zip.setArchiveName("c:\\zips\\" + name);
                ui.zip.extract(0);
            }
        }));
        fs::remove_all(scratch);
    }
    const Spread c = spreadOf(command), e = spreadOf(engine);
    std::printf("install command %.3f s (%.3f-%.3f)\nzip engine      %.3f s (%.3f-%.3f)\nratio %.2fx\n", c.median,
                c.low, c.high, e.median, e.low, e.high, c.median / e.median);
    return 0;
}
