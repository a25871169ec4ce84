#include "platform/host/program_head.h"

#include <cstdint>

namespace q32::host {

namespace {

constexpr std::size_t kDosHeaderBytes = 28;
constexpr std::size_t kNewHeaderPointer = 0x3C;
constexpr std::size_t kRelocationTable = 0x18;
// After "PE\0\0": the machine, then at 20 bytes on the optional header's magic.
constexpr std::size_t kPeMachine = 4;
constexpr std::size_t kPeMagic = 24;

std::uint32_t littleEndian(std::string_view bytes, std::size_t at, std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t i = count; i-- > 0;) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

ProgramKind portableKind(std::string_view head, std::size_t at) {
    if (head.size() < at + kPeMagic + 2) return ProgramKind::NotAProgram;
    const std::uint32_t machine = littleEndian(head, at + kPeMachine, 2);
    const std::uint32_t magic = littleEndian(head, at + kPeMagic, 2);
    if (machine == 0x014C && magic == 0x010B) return ProgramKind::Windows32;
    if (machine == 0x8664 && magic == 0x020B) return ProgramKind::Windows64;
    return ProgramKind::NotAProgram;
}

}  // namespace

// A DOS header whose relocation table starts before 40h has no newer header
// behind it; nor has one whose pointer leads outside the bytes read.
ProgramKind programKindOf(std::string_view head) {
    if (head.size() < kDosHeaderBytes || head.substr(0, 2) != "MZ") return ProgramKind::NotAProgram;
    if (head.size() < kNewHeaderPointer + 4 || littleEndian(head, kRelocationTable, 2) < 0x40)
        return ProgramKind::Dos;
    const std::size_t at = littleEndian(head, kNewHeaderPointer, 4);
    if (at < kNewHeaderPointer + 4 || at + 4 > head.size()) return ProgramKind::Dos;
    const std::string_view signature = head.substr(at, 4);
    if (signature == std::string_view("PE\0\0", 4)) return portableKind(head, at);
    if (signature.substr(0, 2) == "NE") return ProgramKind::Windows16;
    return ProgramKind::Dos;
}

}  // namespace q32::host
