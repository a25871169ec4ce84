// notepad.exe FILE and webdial.exe $ADDRESS / >mailto:ADDRESS: handed to the
// desktop's own programs through xdg-open.
#include <unistd.h>

#include <filesystem>

#include "standin.h"

namespace q32::standin {

namespace {

int openWithDesktop(const Context& context, const std::string& target) {
    ::execlp("xdg-open", "xdg-open", target.c_str(), static_cast<char*>(nullptr));
    return fail(context, {ExitCode::ToolMissing, "Cannot start xdg-open to show " + target});
}

}  // namespace

int runNotepad(const Context& context) {
    const std::string file = joinWords(context.args);
    auto host = context.hostPath(file);
    std::error_code code;
    if (!host || !std::filesystem::is_regular_file(*host, code))
        return fail(context, {ExitCode::CannotOpen, "Cannot find the file " + file});
    return openWithDesktop(context, *host);
}

// "$" is followed by a web address, ">" by a mailto: address.
int runWebdial(const Context& context) {
    const std::string line = joinWords(context.args);
    if (line.size() < 2 || (line[0] != '$' && line[0] != '>'))
        return fail(context, {ExitCode::BadArguments, "Usage: webdial.exe $ADDRESS"});
    return openWithDesktop(context, line.substr(1));
}

}  // namespace q32::standin
