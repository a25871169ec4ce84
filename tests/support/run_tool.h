// Running a built program (a stand-in, a test helper) the way the main
// program would, with extra environment, and keeping its exit code and what
// it wrote on standard error.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace q32::test {

struct ToolResult {
    int exitCode = -1;
    std::string errorText;
};

ToolResult runTool(const std::string& program, const std::vector<std::string>& args,
                   const std::map<std::string, std::string>& environment = {});

// "hash16 size path" lines for every file under a host folder, sorted, as the
// samples' manifests list them.
std::vector<std::string> manifestOf(const std::string& hostFolder);
std::vector<std::string> readManifest(const std::string& manifestPath);

}  // namespace q32::test
