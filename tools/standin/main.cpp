// One executable, installed in the program folder under the name of every
// outside program the program calls; the name it was started under decides
// what it does.
#include <filesystem>
#include <map>

#include "archive/archivers.h"
#include "common/text.h"
#include "platform/host/program_folder.h"
#include "standin.h"

namespace {

using namespace q32::standin;

// The archivers' stand-ins answer to the programs of their command lines.
int runArchiver(const Context& context, q32::ArchiveKind kind) {
    switch (kind) {
        case q32::ArchiveKind::Rar: return runRar(context);
        case q32::ArchiveKind::Arj: return runArj(context);
        case q32::ArchiveKind::Ace: return runAce(context);
        case q32::ArchiveKind::Zip: break;
    }
    return fail(context, {ExitCode::BadArguments, "Started under an unknown name"});
}

}  // namespace

int main(int argc, char** argv) {
    Context context;
    context.role = q32::lower(std::filesystem::path(argc > 0 ? argv[0] : "").filename().string());
    for (int i = 1; i < argc; ++i) context.args.emplace_back(argv[i]);
    context.drives = q32::host::loadDriveTable(q32::host::hostProgramFolder());

    if (const q32::KindInfo* kind = q32::kindOfProgram(context.role)) return runArchiver(context, kind->kind);
    static const std::map<std::string, int (*)(const Context&)> roles = {
        {"killd.pif", runKilld},
        {"notepad.exe", runNotepad},
        {"webdial.exe", runWebdial},
    };
    if (context.role == "winhelp.exe") return runWinhelp(context, argc, argv);
    auto role = roles.find(context.role);
    if (role == roles.end()) return fail(context, {ExitCode::BadArguments, "Started under an unknown name"});
    return role->second(context);
}
