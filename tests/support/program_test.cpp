#include "support/program_test.h"

namespace q32::test {

namespace {

std::string prepared(TestDrive& drive, std::string programFolder) {
    if (programFolder.size() > 3) drive.makeFolder(programFolder);
    return programFolder;
}

}  // namespace

HeadlessUi::HeadlessUi(host::HostFileSystem& fileSystem, std::string folder)
    : fs(fileSystem),
      programFolder(std::move(folder)),
      tree(fileSystem),
      list(fileSystem),
      realProcesses({Q32_BIN_DIR, fileSystem.driveTable().toHost(programFolder).value_or(""),
                     &fileSystem.driveTable()}),
      processes(realProcesses),
      zip(fileSystem.driveTable()) {}

Platform HeadlessUi::platform() {
    return Platform{form,    toolbar,  menus,     frame, panel1, panel2, panel3, splitter, tree,
                    list,    sizeGrip, splash,    desktop, instance, fs,   processes, picker, zip,
                    programFolder, descriptionViewer, nfoViewer, sound, help};
}

TestProgram::TestProgram(TestDrive& drive, std::string programFolder)
    : ui(drive.fs(), prepared(drive, std::move(programFolder))), window(ui.platform()) {}

}  // namespace q32::test
