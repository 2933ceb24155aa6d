// Writes the tagged object file (80-column records, or with -C the
// compressed form: raw 16-bit values, fixed 80-byte records).
#pragma once

#include "assembler_state.hpp"

namespace tarn {

void obj_begin_module(AssemblerState& st, const SegmentEntry& program, std::string_view module_name);
void obj_write_segment_header(AssemblerState& st, const SegmentEntry& entry);
void obj_write_load_address(AssemblerState& st, int address, bool relocatable);
void obj_write_word(AssemblerState& st, int address, bool address_relocatable, uint16_t value,
                    bool value_relocatable, int segment);
void obj_write_operand_word(AssemblerState& st, int address, bool address_relocatable, const OperandValue& v);
void obj_write_byte(AssemblerState& st, int address, bool address_relocatable, uint16_t byte, bool byte_relocatable);
void obj_flush_byte(AssemblerState& st);
bool obj_make_room(AssemblerState& st, int column_limit, int field_limit, int length);
void obj_end_record(AssemblerState& st, int column_limit, int field_limit);
void obj_write_entry(AssemblerState& st, const Symbol* symbol);
void obj_write_externals(AssemblerState& st);
void obj_write_trailer(AssemblerState& st);

}  // namespace tarn
