// Table of at most 2000 names, found by hash, listed in sorted order.
#pragma once

#include <string>
#include <string_view>

#include "assembler_state.hpp"

namespace tarn {

void sym_clear(AssemblerState& st);
Symbol* sym_find(const AssemblerState& st, std::string_view name);
// New record for name (cut to what a record holds); nullptr when present.
// A 2001st name is a fatal error.
Symbol* sym_add(AssemblerState& st, std::string_view name);
void sym_define_registers(AssemblerState& st);
void sym_console_dump(AssemblerState& st);
// "  %c %-6.6s  %04X": one entry of a symbol dump.
void put_symbol_entry(std::string& out, char mark, const Symbol& s);

// Checks a label, DEF, REF or DXOP name and may cut it: 0, SYNTAX ERROR or
// SYMBOL TRUNCATION.
int check_symbol_name(std::string& name);

}  // namespace tarn
