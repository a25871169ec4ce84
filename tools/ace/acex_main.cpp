// acex FIRSTVOLUME DESTFOLDER: extracts an ACE archive or volume set. Exit
// code 0 on success, otherwise the AceResult number, with the reason on
// standard error.
#include "ace_extract.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: acex FIRSTVOLUME DESTFOLDER\n");
        return 2;
    }
    std::string error;
    const q32::ace::AceResult result = q32::ace::extractAce(argv[1], argv[2], error);
    if (result != q32::ace::AceResult::Ok)
        std::fprintf(stderr, "acex: %s\n", error.c_str());
    return static_cast<int>(result);
}
