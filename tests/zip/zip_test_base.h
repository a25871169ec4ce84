// Shared set-up of the zip engine's tests: a temporary folder and an engine
// working on host paths.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "platform/zip/zip_archive_engine.h"
#include "zip_fixtures.h"

namespace q32::zip::test {

class ZipEngineTest : public ::testing::Test {
protected:
    std::string path(const std::string& relative) const { return temp / relative; }

    std::int16_t extract(const std::string& archive, const std::string& destination, const std::string& mask = "*.*\r") {
        engine.setFileMask(mask);
        engine.setDestinationFolder(path(destination));
        engine.setArchiveName(path(archive));
        return engine.extract(0);
    }

    std::int16_t test(const std::string& archive, const std::string& mask = "") {
        engine.setFileMask(mask);
        engine.setArchiveName(path(archive));
        return engine.test();
    }

    bool exists(const std::string& relative) const { return std::filesystem::exists(path(relative)); }
    std::string contents(const std::string& relative) const { return readBytes(path(relative)); }

    struct stat info(const std::string& relative) const {
        struct stat result {};
        ::lstat(path(relative).c_str(), &result);
        return result;
    }

    TempFolder temp;
    ZipArchiveEngine engine{ZipArchiveEngine::hostPaths()};
};

}  // namespace q32::zip::test
