#include "platform/zip/dos_time.h"

#include <ctime>

namespace q32::zip {

std::optional<std::int64_t> DosTimeConverter::toUnix(std::uint32_t dosDateTime) {
    const std::uint32_t date = dosDateTime >> 16;
    const std::uint32_t time = dosDateTime & 0xFFFF;
    const int day = static_cast<int>(date & 31);
    const int month = static_cast<int>((date >> 5) & 15);
    const int year = 1980 + static_cast<int>(date >> 9);
    const int hour = static_cast<int>(time >> 11);
    const int minute = static_cast<int>((time >> 5) & 63);
    const int second = static_cast<int>(time & 31) * 2;
    if (day < 1 || month < 1 || month > 12 || hour > 23 || minute > 59 || second > 59) return std::nullopt;
    const std::uint32_t key = (date << 5) | static_cast<std::uint32_t>(hour);
    auto found = hourStarts_.find(key);
    if (found == hourStarts_.end()) {
        std::tm fields{};
        fields.tm_year = year - 1900;
        fields.tm_mon = month - 1;
        fields.tm_mday = day;
        fields.tm_hour = hour;
        fields.tm_isdst = -1;
        found = hourStarts_.emplace(key, static_cast<std::int64_t>(std::mktime(&fields))).first;
    }
    return found->second + minute * 60 + second;
}

}  // namespace q32::zip
