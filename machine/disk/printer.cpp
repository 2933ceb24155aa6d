#include "machine/disk/printer.hpp"

namespace scree {

namespace {

constexpr uint8_t kDefaultRecordLength = 80;

}  // namespace

IoError Printer::serve(Pab& pab, const Vram& vram) {
    const uint8_t length = pab.record_length ? pab.record_length : kDefaultRecordLength;
    switch (static_cast<PabOpcode>(pab.opcode)) {
        case PabOpcode::Open: pab.record_length = length; return IoError::None;
        case PabOpcode::Close: return IoError::None;
        case PabOpcode::Write:
            if (pab.variable() && pab.char_count > length) return IoError::NoSpace;
            sink_(read_vram(vram, pab.buffer, pab.variable() ? pab.char_count : length));
            return IoError::None;
        case PabOpcode::Status: pab.status = 0; return IoError::None;
        default: return IoError::IllegalOperation;
    }
}

}  // namespace scree
