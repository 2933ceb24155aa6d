#include "machine/tests/cpu/cpu_rig.hpp"

#include <cstdio>

#include <gtest/gtest.h>

#include "machine/tests/support/build_program.hpp"

namespace cpu_test {

namespace {

constexpr uint16_t kLoadFirst = 0xA000;
constexpr uint16_t kLoadEnd = 0xC000;
constexpr uint16_t kResults = 0xC000;

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    while (!text.empty()) {
        const size_t end = text.find(separator);
        const std::string_view part = text.substr(0, end);
        if (!part.empty()) parts.push_back(part);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return parts;
}

void emit(std::string& out, std::string_view lines) {
    for (std::string_view line : split(lines, '|')) out.append("       ").append(line).append("\n");
}

}  // namespace

std::string hex(uint16_t v) {
    char text[8];
    std::snprintf(text, sizeof text, ">%04X", v);
    return text;
}

Bus::Bus() {
    map.devices = this;
    for (unsigned page = 0; page < scree::MemoryMap::kPages; ++page) {
        map.read[page] = map.write[page] = ram.data() + page * 0x100;
        map.wait[page] = 0;
    }
}

void Bus::set_wait(uint16_t first, uint16_t last, uint8_t wait) {
    for (unsigned page = first >> 8; page <= static_cast<unsigned>(last >> 8); ++page) map.wait[page] = wait;
}

void Bus::watch(uint16_t address, std::function<void()> on_read) {
    watches_.push_back({static_cast<uint16_t>(address & 0xFFFE), std::move(on_read)});
    map.read[address >> 8] = nullptr;
    map.write[address >> 8] = nullptr;
}

uint16_t Bus::word(uint16_t address) const {
    address &= 0xFFFE;
    return static_cast<uint16_t>(ram[address] << 8 | ram[address + 1u]);
}

void Bus::set_word(uint16_t address, uint16_t value) {
    address &= 0xFFFE;
    ram[address] = static_cast<uint8_t>(value >> 8);
    ram[address + 1u] = static_cast<uint8_t>(value);
}

uint16_t Bus::read_word(uint16_t address) {
    device_reads.push_back(address);
    for (const Watch& w : watches_)
        if (w.address == address) w.on_read();
    return word(address);
}

void Bus::write_word(uint16_t address, uint16_t value) { set_word(address, value); }

void Rig::load(std::string_view source) {
    testkit::TempDir dir;
    const std::string image = scree_test::assemble_image(dir.path(), source, kLoadFirst, kLoadEnd);
    ASSERT_EQ(image.size(), size_t{kLoadEnd - kLoadFirst});
    for (size_t i = 0; i < image.size(); ++i) bus.ram[kLoadFirst + i] = static_cast<uint8_t>(image[i]);
    cpu.pc = kLoadFirst;
}

void Rig::run(uint64_t max_cycles) {
    cpu.run(cpu.cycles + max_cycles);
    ASSERT_EQ(cpu.last_event(), scree::CpuEvent::SelfJump) << "PC " << hex(cpu.pc);
}

std::string case_program(const std::vector<Case>& cases) {
    std::string s = "       AORG >A000\n"
                    "       LWPI >8300\n"
                    "       LI   R10,>C000\n"
                    "       JMP  START\n"
                    "* ST := R15 through RTWP, back to the caller\n"
                    "SETST  MOV  R11,R14\n"
                    "       STWP R13\n"
                    "       RTWP\n"
                    "START\n";
    for (size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        s += "* case " + std::to_string(i) + "\n";
        emit(s, c.setup);
        s += "       LI   R15," + hex(c.status) + "\n";
        s += "       BL   @SETST\n";
        emit(s, c.code);
        s += "       STST R9\n";
        for (std::string_view operand : split(c.observe, ' ')) s.append("       MOV  ").append(operand).append(",*R10+\n");
        s += "       MOV  R9,*R10+\n";
    }
    s += "DONE   JMP  DONE\n       END\n";
    return s;
}

void run_cases(const std::vector<Case>& cases, const std::function<void(Rig&)>& prepare) {
    Rig rig;
    rig.load(case_program(cases));
    if (testing::Test::HasFatalFailure()) return;
    if (prepare) prepare(rig);
    rig.run();
    EXPECT_EQ(rig.cpu.illegal, 0u);
    uint16_t at = kResults;
    for (size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        std::string expected, actual;
        for (uint16_t v : c.expected) {
            expected += " " + hex(v);
            actual += " " + hex(rig.bus.word(at));
            at = static_cast<uint16_t>(at + 2);
        }
        EXPECT_EQ(actual, expected) << "case " << i << ": " << c.setup << " / ST " << hex(c.status) << " / "
                                    << c.code << " -> " << c.observe << " ST";
    }
}

}  // namespace cpu_test
