// The one record an assembly run works on: options, files, pass state,
// segment table, symbol table, object writer and listing state.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "output_file.hpp"
#include "platform/console.hpp"
#include "platform/text_file.hpp"

namespace tarn {

inline constexpr const char* kBanner = "Tarn Cross Assembler";
inline constexpr const char* kVersion = "v1.2/a";

inline constexpr int kMaxSymbols = 2000;
inline constexpr int kMaxSegments = 128;
inline constexpr int kMaxLineErrors = 10;
inline constexpr int kMaxConditionDepth = 10;
inline constexpr size_t kMaxCopyDepth = 16;
inline constexpr size_t kLineBufferSize = 256;  // at most 255 characters per read
inline constexpr size_t kStoredNameLength = 7;  // a symbol record holds 7 characters

enum ErrorCode : int {
    kNoError = 0,
    kFatalSymbolOverflow = 1,
    kFatalCommon = 2,
    kFatalMemory = 3,
    kFatalDsrError = 4,
    kSyntaxError = 5,
    kInvalidRef = 6,
    kOutOfRange = 7,
    kMultipleSymbols = 8,
    kInvalidMnemonic = 9,
    kBadFwdReference = 10,
    kInvalidTerm = 11,
    kInvalidRegister = 12,
    kInvalidIndexR0 = 13,
    kSymbolTruncation = 14,
    kUndefinedSymbol = 15,
    kComTableOverflow = 16,
    kPendAssumed = 17,
    kDendAssumed = 18,
    kCendAssumed = 19,
    kEndAssumed = 20,
    kCopyError = 21,
    kNestingTooDeep = 22,
    kMultipleElse = 23,
    kElseWithoutIf = 24,
    kEndifWithoutIf = 25,
    kInvalidDirective = 26,
    kIfUndefinedSymbol = 27,
    kMissingEndif = 28,
};

// Segment indexes; inside PSEG..PEND the program segment carries bit >1000.
inline constexpr int kDummySegment = 0;
inline constexpr int kAbsoluteSegment = 1;
inline constexpr int kProgramSegment = 2;
inline constexpr int kDataSegment = 3;
inline constexpr int kBlankCommon = 4;
inline constexpr int kPsegSegment = 0x1002;
inline constexpr uint16_t kNoSegment = 0xFFFF;

inline int segment_row(int segment) { return segment & 0xFF; }

struct OperandValue {
    uint16_t segment = kNoSegment;
    uint16_t value = 0;
    bool relocatable = false;
    bool external = false;
};

enum SymbolFlag : uint8_t {
    kDefined = 0x01,
    kRelocatable = 0x02,
    kAbsoluteOrigin = 0x04,
    kEquName = 0x08,
    kDefName = 0x10,
    kRefName = 0x20,
    kDxopName = 0x40,
};

struct Symbol {
    std::string name;
    uint64_t key = 0;  // the name packed, for the table's lookups
    uint16_t segment = 0;
    uint16_t value = 0;
    int ref_number = 0;
    uint8_t flags = 0;
    bool referenced = false;  // a REF name whose chain received a word in pass 2

    bool has(uint8_t flag) const { return (flags & flag) != 0; }
};

struct SymbolTable {
    std::deque<Symbol> records;    // stable addresses
    std::vector<Symbol*> sorted;   // ascending byte order of names
    // Open addressing by a hash of the name; a power of two, over twice kMaxSymbols.
    std::vector<Symbol*> slots = std::vector<Symbol*>(4096);
};

struct SegmentEntry {
    std::string name;
    int common_number = 0;
    int kind = 0;
    uint16_t saved_lc = 0;
    uint16_t size = 0;  // sum of the stretches travelled
    bool relocatable = false;
    uint16_t highest = 0;  // program segment: highest location a stretch ended at

    // The size written to the object and list files: never below the
    // program segment's highest location.
    uint16_t reported_size() const { return size > highest ? size : highest; }
};

struct AssemblerState;
using Handler = void (*)(AssemblerState&);

struct MnemonicEntry {
    std::string_view name;
    uint32_t word;  // class in the high half, opcode or directive number in the low half
    int operand_form;
    Handler handler;

    uint16_t opcode() const { return static_cast<uint16_t>(word & 0xFFFF); }
};

struct ConditionLevel {
    bool else_seen = false;
    bool active = false;
};

// Where the loader stands after the fields written so far.
struct LoadPosition {
    bool valid = false;
    int segment = 0;  // current_segment when written (PSEG keeps its >1002)
    int address = 0;  // not wrapped: a word after >FFFE is placed again
    bool relocatable = false;

    bool at(int seg, int addr, bool reloc) const {
        return valid && segment == seg && address == addr && relocatable == reloc;
    }
};

// The bytes placed in one segment, kept in pages of 256 that are made when
// first written: most modules touch a few pages of the 64 KB.
struct PlacedBytes {
    struct Page {
        std::array<uint8_t, 256> value{};
        std::array<bool, 256> placed{};
    };
    std::array<std::unique_ptr<Page>, 256> pages;

    void set(size_t at, uint8_t byte) {
        std::unique_ptr<Page>& page = pages[at >> 8 & 0xFF];
        if (!page) page = std::make_unique<Page>();
        page->value[at & 0xFF] = byte;
        page->placed[at & 0xFF] = true;
    }
    // The byte placed at at, or nullopt.
    std::optional<uint8_t> get(size_t at) const {
        const Page* page = pages[at >> 8 & 0xFF].get();
        if (!page || !page->placed[at & 0xFF]) return std::nullopt;
        return page->value[at & 0xFF];
    }
};

struct ObjectWriterState {
    uint16_t checksum = 0;
    int field_count = 0;
    int column = 0;      // characters of the open record in the text form
    int raw_column = 0;  // bytes of the open record in the compressed form
    int sequence = 0;
    // Last load-address field written.
    int last_load_segment = -1;
    int last_load_address = -1;
    bool last_load_relocatable = false;
    LoadPosition position;
    // Bytes of the data words written so far, per segment row, so that a
    // word written for one byte keeps the other byte of its aligned word.
    std::array<std::unique_ptr<PlacedBytes>, kMaxSegments> placed;
    // Byte at an even address waiting for the byte after it.
    bool pending = false;
    int pending_address = 0;
    bool pending_address_relocatable = false;
    uint16_t pending_byte = 0;
    bool pending_byte_relocatable = false;
};

struct ListingState {
    int list_level = 1;
    int page_line = 999;
    int page_length = 61;
    int page_number = 1;
    std::string title = "VERSION 1.2/A";
    bool pass1_console_heading = false;
    bool pass1_list_heading = false;
    bool pass2_console_heading = false;
};

struct AssemblerState {
    explicit AssemblerState(platform::Console& c) : con(c) {}

    platform::Console& con;

    // Options.
    std::optional<std::string> opt_input_name, opt_output_name, opt_list_name;
    bool opt_list = false, opt_verbose = false, opt_define_registers = false;
    bool opt_symbol_dump = false, opt_segment_dump = false, opt_compressed = false;

    // Files.
    platform::TextReader source_file;
    std::vector<std::unique_ptr<platform::TextReader>> copy_files;  // innermost last
    OutputFile object_file;
    OutputFile list_file;

    // Configuration.
    std::string config_path, config_extensions, config_include;
    // The [SUBSTITUTE] lines, read at the first COPY of the run.
    std::optional<std::vector<std::string>> config_substitutions;

    // Pass state.
    int pass = 0;
    int line_number = 0;
    std::string source_line;
    std::string work_line;
    size_t scan_pos = 0;
    std::optional<std::string_view> label_field, mnemonic_field, operand_field;
    Symbol* label_symbol = nullptr;
    const MnemonicEntry* current_mnemonic = nullptr;
    MnemonicEntry user_xop_row{};
    std::string user_xop_name;
    int location_counter = 0;
    int current_segment = kProgramSegment;
    bool current_relocatable = true;
    std::array<SegmentEntry, kMaxSegments> segment_table{};
    int segment_count = 5;
    std::array<int, kMaxLineErrors> line_errors{};
    int line_error_count = 0;
    int error_count = 0;
    bool end_seen = false;
    std::string idt_name;
    Symbol* entry_symbol = nullptr;
    int ref_count = 0;
    Symbol* last_external = nullptr;
    std::vector<std::string_view> items;  // BYTE and DATA list, reused

    // Conditional assembly.
    std::array<ConditionLevel, kMaxConditionDepth> conditions{};
    int condition_depth = -1;

    SymbolTable symbols;
    ObjectWriterState obj;
    ListingState lst;
};

// Raised to leave the run at once with an exit code (fatal errors).
struct FatalExit {
    int code;
};

}  // namespace tarn
