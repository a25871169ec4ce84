// What one run of the ZIP test keeps while it goes through the selected
// archives; made anew by every run.
#pragma once

#include <string>
#include <vector>

namespace q32 {

struct TestRun {
    // The folder tree's folder, a drive root as "c:", as the files are opened.
    std::string folder;
    // The same in lower case, as the records show it.
    std::string shownFolder;
    // One record for every archive found damaged, in test order; as many as
    // there are.
    std::vector<std::string> errors;
};

}  // namespace q32
