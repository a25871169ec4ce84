// The names a command works on, numbered from slot 1 as the user selected
// them in the list; as many as there are.
#pragma once

#include <string>
#include <vector>

#include "platform/controls.h"

namespace q32 {

class Selection {
public:
    int count() const { return static_cast<int>(names_.size()); }
    const std::string& at(int slot) const { return names_.at(static_cast<std::size_t>(slot) - 1); }
    const std::vector<std::string>& names() const { return names_; }
    void assign(std::vector<std::string> names) { names_ = std::move(names); }
    // The list's selected names, in list order.
    void collectFrom(const FileList& list);

private:
    std::vector<std::string> names_;
};

// Every name of the list, in list order.
std::vector<std::string> listNames(const FileList& list);
void deselectAll(FileList& list);

}  // namespace q32
