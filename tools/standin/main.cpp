// One executable, installed in the program folder under the name of every
// outside program the program calls; the name it was started under decides
// what it does.
#include <filesystem>
#include <map>

#include "common/text.h"
#include "platform/host/program_folder.h"
#include "standin.h"

int main(int argc, char** argv) {
    using namespace q32::standin;
    Context context;
    context.role = q32::lower(std::filesystem::path(argc > 0 ? argv[0] : "").filename().string());
    for (int i = 1; i < argc; ++i) context.args.emplace_back(argv[i]);
    context.drives = q32::host::loadDriveTable(q32::host::hostProgramFolder());

    static const std::map<std::string, int (*)(const Context&)> roles = {
        {"wrar.exe", runRar},   {"warj.pif", runArj},         {"killd.pif", runKilld},
        {"ace.pif", runAce},    {"wace.pif", runAce},
        {"notepad.exe", runNotepad}, {"webdial.exe", runWebdial},
    };
    if (context.role == "winhelp.exe") return runWinhelp(context, argc, argv);
    auto role = roles.find(context.role);
    if (role == roles.end()) return fail(context, "Started under an unknown name");
    return role->second(context);
}
