#include "command_kit/selection.h"

namespace q32 {

void Selection::collectFrom(const FileList& list) {
    names_.clear();
    for (int index = 0; index < list.count(); ++index) {
        if (list.selected(index)) names_.push_back(list.item(index));
    }
}

std::vector<std::string> listNames(const FileList& list) {
    std::vector<std::string> names;
    for (int index = 0; index < list.count(); ++index) names.push_back(list.item(index));
    return names;
}

void deselectAll(FileList& list) {
    for (int index = 0; index < list.count(); ++index) list.setSelected(index, false);
}

}  // namespace q32
