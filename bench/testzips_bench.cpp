// Runs the test command (TestZips) headless over every ZIP archive of one
// folder, as a user would: open the folder, Ctrl+S, Ctrl+T. Prints the
// seconds the command took and its summary. The program folder is a
// temporary one; Notepad is not started.
//   testzipsbench FOLDER
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/main_window.h"
#include "support/program_test.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: testzipsbench FOLDER\n");
        return 2;
    }
    namespace fs = std::filesystem;
    const fs::path programRoot = fs::temp_directory_path() / ("q32-testzips-" + std::to_string(::getpid()));
    fs::create_directories(programRoot / "Quillet32");
    const std::string folder = fs::absolute(argv[1]).lexically_normal().string();
    int result = 1;
    {
        q32::host::HostFileSystem files(q32::host::DriveTable::parse("c=" + folder + ";d=" + programRoot.string()));
        q32::test::HeadlessUi ui(files, "d:\\Quillet32");
        q32::MainWindow window(ui.platform());
        window.Form_Load();
        ui.tree.userSelects("c:\\");
        ui.form.keyPress(q32::keys::CtrlS);
        const auto start = std::chrono::steady_clock::now();
        ui.form.keyPress(q32::keys::CtrlT);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("%.4f s for %d archive(s):%s\n", seconds, ui.list.count(), ui.panel3.caption().c_str());
        result = ui.panel3.caption() == " Found 0 zip error(s)" ? 0 : 1;
    }
    fs::remove_all(programRoot);
    return result;
}
