#include "machine/files/cartridge_file.hpp"

#include <cctype>

#include "machine/files/load_errors.hpp"

namespace scree {

namespace {

constexpr uint8_t kHeaderMark = 0xAA;
constexpr uint16_t kProgramListPointer = 0x6006;
// More entries than a header's list can sensibly hold: a list that goes
// round in a circle.
constexpr size_t kMaxPrograms = 256;

class Bank {
public:
    explicit Bank(const uint8_t* bytes) : bytes_(bytes) {}
    uint8_t byte(uint16_t address) const { return bytes_[address - kCartridgeAddress]; }
    uint16_t word(uint16_t address) const {
        return static_cast<uint16_t>(byte(address) << 8 | byte(static_cast<uint16_t>(address + 1)));
    }

private:
    const uint8_t* bytes_;
};

bool inside(uint32_t address, uint32_t length) {
    return address >= kCartridgeAddress && address + length <= kCartridgeAddress + kCartridgeBankSize;
}

// Entries: the next entry (0: none), the program's address, the name's
// length byte and the name.
bool read_program_list(const Bank& bank, std::vector<CartridgeProgram>& programs, std::string& error) {
    for (uint16_t entry = bank.word(kProgramListPointer); entry != 0; entry = bank.word(entry)) {
        if (programs.size() == kMaxPrograms) {
            error = "the header's program list goes round in a circle";
            return false;
        }
        if (!inside(entry, 5) || (entry & 1)) {
            error = "the header's program list has an entry at " + hex(entry) +
                    ", outside the cartridge ROM (>6000->7FFF) or at an odd address";
            return false;
        }
        const uint8_t length = bank.byte(static_cast<uint16_t>(entry + 4));
        if (!inside(entry + 5u, length)) {
            error = "the name of the program list's entry at " + hex(entry) + " runs past >7FFF";
            return false;
        }
        CartridgeProgram p;
        p.address = bank.word(static_cast<uint16_t>(entry + 2));
        for (unsigned i = 0; i < length; ++i) p.name += static_cast<char>(bank.byte(static_cast<uint16_t>(entry + 5 + i)));
        programs.push_back(std::move(p));
    }
    return true;
}

bool same_name(const std::string& listed, const std::string& wanted) {
    std::string a = listed;
    while (!a.empty() && a.back() == ' ') a.pop_back();
    if (a.size() != wanted.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(wanted[i])))
            return false;
    return true;
}

std::string program_names(const std::vector<CartridgeProgram>& programs) {
    std::string out;
    for (const CartridgeProgram& p : programs) out += (out.empty() ? "" : ", ") + p.name;
    return out;
}

}  // namespace

bool load_cartridge(const std::string& name, bool inverted, const FileReader& read, LoadedCartridge& out,
                    std::string& error) {
    std::string data;
    const ReadResult r = read(name, data);
    if (r != ReadResult::Ok) {
        error = name + ": " + read_failure(r);
        return false;
    }
    out.cartridge = Cartridge::from_image(std::vector<uint8_t>(data.begin(), data.end()), inverted);
    if (!out.cartridge) {
        error = name + ": " + std::to_string(data.size()) +
                " bytes: a cartridge image is 8 KB (8192 bytes), or two or four banks of 8 KB (16384 or 32768)";
        return false;
    }
    const Bank bank(out.cartridge->bank(0));
    if (bank.byte(kCartridgeAddress) != kHeaderMark) {
        error = name + ": no cartridge header: >6000 of bank 0 holds " + hex(bank.byte(kCartridgeAddress)).erase(1, 2) +
                ", not >AA" +
                (out.cartridge->banks() > 1 ? std::string(inverted ? " (banks in .M order, the last 8 KB first)"
                                                                   : " (banks in .M+ order, the first 8 KB first)")
                                            : "");
        return false;
    }
    if (!read_program_list(bank, out.programs, error)) {
        error = name + ": " + error;
        return false;
    }
    return true;
}

bool choose_cartridge_start(const std::string& file, const LoadedCartridge& cart, const EntryChoice& choice,
                            CartridgeStart& start, std::string& error) {
    if (const uint16_t* address = std::get_if<uint16_t>(&choice)) {
        start.address = *address;
        return true;
    }
    if (const std::string* name = std::get_if<std::string>(&choice)) {
        for (size_t i = 0; i < cart.programs.size(); ++i) {
            if (same_name(cart.programs[i].name, *name)) {
                start.program = static_cast<uint16_t>(i);
                return true;
            }
        }
        error = "--entry " + *name + ": " + file + " lists no program of that name" +
                (cart.programs.empty() ? "" : "; its programs: " + program_names(cart.programs));
        return false;
    }
    if (cart.programs.empty()) {
        error = file + ": the cartridge's header lists no program; start it with --entry >ADDR";
        return false;
    }
    start.program = 0;
    return true;
}

}  // namespace scree
