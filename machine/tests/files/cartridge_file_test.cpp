// Cartridge images read for --cart: the program list of the header in
// bank 0, and lists that would lead the console astray.
#include <gtest/gtest.h>

#include "machine/files/cartridge_file.hpp"

namespace {

using scree::LoadedCartridge;

struct Image {
    std::string bytes = std::string(0x2000, '\0');
    void word(uint16_t address, uint16_t value) {
        bytes[address - 0x6000] = static_cast<char>(value >> 8);
        bytes[address - 0x6000 + 1] = static_cast<char>(value);
    }
    // An entry: next, address, name.
    void entry(uint16_t at, uint16_t next, uint16_t address, const std::string& name) {
        word(at, next);
        word(at + 2, address);
        bytes[at - 0x6000 + 4] = static_cast<char>(name.size());
        bytes.replace(at - 0x6000 + 5, name.size(), name);
    }
    Image() {
        bytes[0] = static_cast<char>(0xAA);
        word(0x6006, 0x6010);
    }
};

bool load(const Image& image, LoadedCartridge& cart, std::string& error) {
    const scree::FileReader read = [&image](const std::string&, std::string& data) {
        data = image.bytes;
        return scree::ReadResult::Ok;
    };
    return scree::load_cartridge("C.BIN", false, read, cart, error);
}

std::string load_error(const Image& image) {
    LoadedCartridge cart;
    std::string error;
    EXPECT_FALSE(load(image, cart, error));
    return error;
}

TEST(CartridgeFile, ProgramListInOrderAndTheStartThatEntryChooses) {
    Image image;
    image.entry(0x6010, 0x6020, 0x6100, "GAME");
    image.entry(0x6020, 0x0000, 0x6200, "EDIT  ");
    LoadedCartridge cart;
    std::string error;
    ASSERT_TRUE(load(image, cart, error)) << error;
    ASSERT_EQ(cart.programs.size(), 2u);
    EXPECT_EQ(cart.programs[1].name, "EDIT  ");
    EXPECT_EQ(cart.programs[1].address, 0x6200);
    scree::CartridgeStart start;
    ASSERT_TRUE(scree::choose_cartridge_start("C.BIN", cart, {}, start, error));
    EXPECT_EQ(start.program, 0);
    ASSERT_TRUE(scree::choose_cartridge_start("C.BIN", cart, std::string("edit"), start, error));
    EXPECT_EQ(start.program, 1) << "case and trailing blanks ignored";
    ASSERT_TRUE(scree::choose_cartridge_start("C.BIN", cart, uint16_t{0x6300}, start, error));
    EXPECT_EQ(start.address, 0x6300);
}

TEST(CartridgeFile, ListsThatLeadAstrayAreRefused) {
    Image circle;
    circle.entry(0x6010, 0x6010, 0x6100, "A");
    EXPECT_EQ(load_error(circle), "C.BIN: the header's program list goes round in a circle");
    Image outside;
    outside.word(0x6006, 0x7FFE);
    EXPECT_EQ(load_error(outside),
              "C.BIN: the header's program list has an entry at >7FFE, outside the cartridge ROM (>6000->7FFF) or at "
              "an odd address");
    Image odd;
    odd.word(0x6006, 0x6011);
    EXPECT_NE(load_error(odd).find("entry at >6011"), std::string::npos);
    Image long_name;
    long_name.entry(0x7FE0, 0, 0x6100, "");
    long_name.bytes[0x1FE4] = static_cast<char>(40);
    long_name.word(0x6006, 0x7FE0);
    EXPECT_EQ(load_error(long_name), "C.BIN: the name of the program list's entry at >7FE0 runs past >7FFF");
    Image none;
    none.word(0x6006, 0);
    LoadedCartridge cart;
    std::string error;
    ASSERT_TRUE(load(none, cart, error));
    scree::CartridgeStart start;
    EXPECT_FALSE(scree::choose_cartridge_start("C.BIN", cart, {}, start, error));
    EXPECT_EQ(error, "C.BIN: the cartridge's header lists no program; start it with --entry >ADDR");
    EXPECT_TRUE(scree::choose_cartridge_start("C.BIN", cart, uint16_t{0x6000}, start, error));
}

}  // namespace
