// What other commands ask of the description command: the install shows the
// first archive's description before it extracts and gives a volume set that
// archive's description files; the ZIP test, the delete command and the RAR
// and ACE installers close the description viewer.
#pragma once

#include <string>

namespace q32 {

class DescriptionViewers {
public:
    virtual ~DescriptionViewers() = default;
    virtual void ShowDescriptions() = 0;
    // The first selected archive of the last collection.
    virtual const std::string& firstArchivePath() const = 0;
    virtual void closeDescriptionViewer() = 0;
};

}  // namespace q32
