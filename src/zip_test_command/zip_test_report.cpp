#include "zip_test_command/zip_test_report.h"

#include "common/text.h"
#include "platform/zip_engine.h"

namespace q32 {

// A description that could not be written into the program folder (a full or
// read-only disk), or one passed over as too large to be a description, says
// nothing about the archive, which is tested like one without descriptions.
TestStep afterExtraction(std::int16_t code) {
    switch (code) {
        case zipcode::Aborted: return TestStep::NextArchive;
        case zipcode::Success:
        case zipcode::LargeMembersSkipped:
        case zipcode::NothingToDo:
        case zipcode::CannotWrite: return TestStep::TestArchive;
        default: return code < zipcode::CrcMismatch ? TestStep::NextArchive : TestStep::RecordError;
    }
}

TestStep afterTest(std::int16_t code) {
    switch (code) {
        case zipcode::Aborted: return TestStep::StopRun;
        case zipcode::CrcMismatch:
        case zipcode::NotAZip:
        case zipcode::BadData:
        case zipcode::Truncated: return TestStep::RecordError;
        default: return TestStep::NextArchive;
    }
}

namespace {

// A control character in a name (a line feed, say) would split the record
// or hide part of it: it is written as "?".
std::string visible(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (static_cast<unsigned char>(c) < 0x20 || c == '\x7F') c = '?';
    }
    return out;
}

}  // namespace

std::string errorRecord(std::int16_t code, std::string_view folder, std::string_view name) {
    return "#" + numText(static_cast<int>(code)) + " - " + visible(folder) + "\\" + visible(name);
}

std::string reportText(const std::vector<std::string>& records) {
    std::string text;
    for (const std::string& record : records) text += record + "\r\n";
    return text;
}

std::string testProgressCaption(std::string_view name, int position, int count) {
    return " " + std::string(name) + "   " + numText(position) + " of" + numText(count);
}

std::string testSummaryCaption(std::size_t errors) {
    return " Found" + numText(static_cast<std::int64_t>(errors)) + " zip error(s)";
}

}  // namespace q32
