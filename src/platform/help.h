// The help system: shows the contents page of a help file in the help window,
// and closes that window again. What it does with a missing file is its own
// affair; the program asks and looks at no result.
#pragma once

#include <string>

namespace q32 {

class HelpSystem {
public:
    virtual ~HelpSystem() = default;
    // The help file's virtual path.
    virtual void showContents(const std::string& helpFile) = 0;
    // An open help window for the file closes; without one nothing happens.
    virtual void close(const std::string& helpFile) = 0;
};

}  // namespace q32
