#include "ace_extract.h"

#include "archive_reader.h"
#include "folder_sink.h"
#include "volume_files.h"

#include <exception>
#include <new>

namespace q32::ace {
namespace {

std::string skippedMessage(const ReadSummary& summary) {
    std::string message = "left out " + std::to_string(summary.skippedNames.size()) +
                          " member(s) whose names lead outside the destination:";
    for (const std::string& name : summary.skippedNames)
        message += " \"" + name + "\"";
    return message;
}

}  // namespace

AceResult extractAce(const std::string& firstVolumeHostPath, const std::string& destHostFolder,
                     std::string& error) {
    error.clear();
    try {
        FileVolumeSource volumes(firstVolumeHostPath);
        FolderSink sink(destHostFolder);
        const ReadSummary summary = readArchive(volumes, sink);
        if (summary.skippedNames.empty())
            return AceResult::Ok;
        error = skippedMessage(summary);
        return AceResult::SkippedUnsafeNames;
    } catch (const AceError& failure) {
        error = failure.what();
        return failure.result();
    } catch (const std::bad_alloc&) {
        error = firstVolumeHostPath + ": out of memory";
        return AceResult::WriteFailed;
    } catch (const std::exception& failure) {
        error = firstVolumeHostPath + ": " + failure.what();
        return AceResult::WriteFailed;
    }
}

}  // namespace q32::ace
