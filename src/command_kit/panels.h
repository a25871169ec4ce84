// The status panels while a command works: panel 3 shows a progress fill
// from 0 % while archives are processed, and a caption afterwards; the kind
// buttons say which kind of archive the list shows.
#pragma once

#include <string>

#include "archive/kinds.h"
#include "platform/controls.h"

namespace q32 {

void startProgressMode(StatusPanel& panel3);
// The caption in the window's text colour.
void endProgressMode(StatusPanel& panel3, const std::string& caption);
// The list's folder, in lower case.
void showListFolder(StatusPanel& panel3, const FileList& list);

// The kind whose button is down; ZIP when none is.
ArchiveKind currentKind(const Toolbar& toolbar);
void setKindButtons(Toolbar& toolbar, ArchiveKind kind);

// A modal error box with the program's title.
void showError(Desktop& screen, const std::string& text);

}  // namespace q32
