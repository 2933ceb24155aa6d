// The GROM ports as a console whose GROMs hold nothing we may use: the
// address counter and its read-ahead work as in the chips (16-bit address,
// high byte written first; the counter wraps within each 8K GROM; reading
// the address gives the counter, one past the byte last fetched), and every
// byte reads as 0 but for the sound lists of our own that GPLLNK's tones
// start (the interrupt routine plays lists from GROM). Part of the machine
// until GROM images can be loaded.
#pragma once

#include <cstdint>

namespace scree {

// Where our console's GROM holds the sound lists of the accept tone (GPLLNK
// >0034) and the bad response tone (>0036); console.a99 starts them there.
constexpr uint16_t kAcceptToneList = 0x0400;
constexpr uint16_t kBadResponseToneList = 0x0408;

class Grom {
public:
    uint8_t read_data();
    uint8_t read_address();
    void write_address(uint8_t value);
    void write_data(uint8_t) { address_read_low_ = address_write_low_ = false; }  // no GRAM

    uint16_t address() const { return address_; }

private:
    uint8_t fetch();

    uint16_t address_ = 0;
    uint8_t read_ahead_ = 0;
    bool address_read_low_ = false;   // the next address read gives the low byte
    bool address_write_low_ = false;  // the next address write is the low byte
};

}  // namespace scree
