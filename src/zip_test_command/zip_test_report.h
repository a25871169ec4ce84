// The rules of the ZIP test that need no window: what each stage's result
// code leads to, the error records, the report file's text and the captions
// the status panels show.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace q32 {

enum class TestStep {
    TestArchive,    // go on to the test of the whole archive
    NextArchive,    // nothing to record; on to the next archive
    RecordError,    // the archive is damaged: record it and mark it ".bad"
    StopRun,        // the user stopped the test: no further archive
};

// After extracting the archive's descriptions.
TestStep afterExtraction(std::int16_t code);
// After testing every member of the archive.
TestStep afterTest(std::int16_t code);

// "# 100 - c:\downloads\tool.zip": the code, then the folder and the name as
// given (a drive root comes as "c:").
std::string errorRecord(std::int16_t code, std::string_view folder, std::string_view name);
// The records one a line, each ended by CR LF.
std::string reportText(const std::vector<std::string>& records);

// " tool.zip    2 of 5"
std::string testProgressCaption(std::string_view name, int position, int count);
// " Found 3 zip error(s)"
std::string testSummaryCaption(std::size_t errors);

}  // namespace q32
