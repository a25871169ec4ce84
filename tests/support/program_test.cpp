#include "support/program_test.h"

namespace q32::test {

namespace {

std::string prepared(TestDrive& drive, std::string programFolder) {
    if (programFolder.size() > 3) drive.makeFolder(programFolder);
    return programFolder;
}

}  // namespace

TestProgram::TestProgram(TestDrive& drive, std::string programFolder)
    : ui(drive.fs(), prepared(drive, std::move(programFolder))), window(ui.platform()) {}

}  // namespace q32::test
