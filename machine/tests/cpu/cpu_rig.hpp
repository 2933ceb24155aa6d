// A TMS9900 on 64 KB of plain RAM, for instruction tests: programs built by
// tarn and fell, wait states per page, a CRU that records what is written,
// and watched addresses whose reads call back (to raise interrupts).
#pragma once

#include <bitset>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "machine/cpu/cpu.hpp"

namespace cpu_test {

// Status bits by their short names, for expectation tables.
constexpr uint16_t L = 0x8000, A = 0x4000, E = 0x2000, C = 0x1000, O = 0x0800, P = 0x0400, X = 0x0200;

struct CruWrite {
    uint16_t bit;
    bool value;
    bool operator==(const CruWrite&) const = default;
};

class Bus : public scree::Devices {
public:
    Bus();
    std::vector<uint8_t> ram = std::vector<uint8_t>(0x10000);
    scree::MemoryMap map;
    std::vector<CruWrite> cru_writes;
    std::bitset<4096> cru_inputs;

    // Wait states for every access to first..last (inclusive, whole pages).
    void set_wait(uint16_t first, uint16_t last, uint8_t wait);
    // Reads of this word call back; its page then goes through the devices.
    void watch(uint16_t address, std::function<void()> on_read);
    // Every read that went through the devices, in order.
    std::vector<uint16_t> device_reads;

    uint16_t word(uint16_t address) const;
    void set_word(uint16_t address, uint16_t value);

private:
    uint16_t read_word(uint16_t address) override;
    void write_word(uint16_t address, uint16_t value) override;
    bool cru_read(uint16_t bit) override { return cru_inputs[bit & 0x0FFF]; }
    void cru_write(uint16_t bit, bool value) override { cru_writes.push_back({bit, value}); }

    struct Watch {
        uint16_t address;
        std::function<void()> on_read;
    };
    std::vector<Watch> watches_;
};

struct Rig {
    Bus bus;
    scree::Cpu cpu{bus.map};

    // Assembles source (AORG >A000 and up, at most 8 KB) and loads it;
    // PC at >A000. Fails the test when tarn or fell report errors.
    void load(std::string_view source);
    // Runs until the program sits in JMP $ (fails after max_cycles).
    void run(uint64_t max_cycles = 10'000'000);
};

// One case of a table: setup, then ST preset through RTWP, then the code
// under test; afterwards the observed operands and ST are stored.
struct Case {
    std::string setup;    // lines separated by '|'; run before the preset
    uint16_t status;      // ST when the code starts (mask 0)
    std::string code;     // lines separated by '|'
    std::string observe;  // source operands separated by ' ', e.g. "R2 @>B000"
    std::vector<uint16_t> expected;  // the observed values, then ST
};

// Builds one program of all cases (registers R0-R8 and R12 are free; R9,
// R10, R11 and R13-R15 belong to the frame), runs it and reports every case
// whose stored words differ.
void run_cases(const std::vector<Case>& cases, const std::function<void(Rig&)>& prepare = {});

// The program text of run_cases, for tests that want to look at it.
std::string case_program(const std::vector<Case>& cases);

std::string hex(uint16_t v);

}  // namespace cpu_test
