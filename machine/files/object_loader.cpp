#include "machine/files/object_loader.hpp"

#include <algorithm>

#include "machine/files/load_errors.hpp"
#include "machine/files/object_fields.hpp"
#include "machine/ti99/program_start.hpp"

namespace scree {

namespace {

constexpr size_t kNameWidth = 6;
constexpr size_t kModuleNameWidth = 8;
constexpr unsigned kMaxChainSteps = 0x8000;

enum class Step : uint8_t { More, EndRecord, EndModule, Fail };

}  // namespace

// One file's module: the fields of its records, in order.
class ModuleLoad {
public:
    ModuleLoad(ObjectLoader& loader, const std::string& file) : l_(loader), file_(file), base_(loader.next_base_) {}

    bool run(std::string_view data, std::string& error);

private:
    using Handler = Step (ModuleLoad::*)(FieldCursor&);
    struct TagRule {
        uint8_t tag;
        Handler handle;
    };
    static const TagRule kRules[];

    Step field(FieldCursor& c);
    Step fail(std::string reason) {
        reason_ = std::move(reason);
        return Step::Fail;
    }
    Step cut_short() { return fail("a field is cut short or holds a character that is no hexadecimal digit"); }
    bool relocate(uint16_t offset, uint16_t& address) {
        if (base_ + offset > 0xFFFF) return false;
        address = static_cast<uint16_t>(base_ + offset);
        return true;
    }

    Step header(FieldCursor& c, bool compressed);
    Step compressed_header(FieldCursor& c) { return header(c, true); }
    Step text_header(FieldCursor& c) { return header(c, false); }
    Step entry(FieldCursor& c, bool relocatable);
    Step absolute_entry(FieldCursor& c) { return entry(c, false); }
    Step relocatable_entry(FieldCursor& c) { return entry(c, true); }
    Step reference(FieldCursor& c, bool relocatable);
    Step relocatable_reference(FieldCursor& c) { return reference(c, true); }
    Step absolute_reference(FieldCursor& c) { return reference(c, false); }
    Step definition(FieldCursor& c, bool relocatable);
    Step relocatable_definition(FieldCursor& c) { return definition(c, true); }
    Step absolute_definition(FieldCursor& c) { return definition(c, false); }
    Step checksum(FieldCursor& c);
    Step unchecked_checksum(FieldCursor& c);
    Step load_address(FieldCursor& c, bool relocatable);
    Step absolute_address(FieldCursor& c) { return load_address(c, false); }
    Step relocatable_address(FieldCursor& c) { return load_address(c, true); }
    Step data_word(FieldCursor& c, bool relocatable);
    Step absolute_word(FieldCursor& c) { return data_word(c, false); }
    Step relocatable_word(FieldCursor& c) { return data_word(c, true); }
    Step end_record(FieldCursor& c) {
        c.reset_sum();
        return Step::EndRecord;
    }
    Step end_module(FieldCursor&) { return Step::EndModule; }
    Step skipped_field(FieldCursor& c) { return c.skip(4, false) ? Step::More : cut_short(); }
    Step segment_field(FieldCursor&) {
        return fail("it uses a data or common segment (DSEG, CSEG), which this loader cannot place");
    }
    bool finish(std::string& error);

    ObjectLoader& l_;
    const std::string& file_;
    uint32_t base_;
    bool compressed_ = false;
    uint16_t module_size_ = 0;
    uint32_t location_ = 0;
    bool address_seen_ = false;
    bool relocatable_ = false;
    uint32_t relocatable_end_ = 0;
    std::string reason_;
};

const ModuleLoad::TagRule ModuleLoad::kRules[] = {
    {0x01, &ModuleLoad::compressed_header},    {'0', &ModuleLoad::text_header},
    {'1', &ModuleLoad::absolute_entry},        {'2', &ModuleLoad::relocatable_entry},
    {'3', &ModuleLoad::relocatable_reference}, {'4', &ModuleLoad::absolute_reference},
    {'5', &ModuleLoad::relocatable_definition}, {'6', &ModuleLoad::absolute_definition},
    {'7', &ModuleLoad::checksum},              {'8', &ModuleLoad::unchecked_checksum},
    {'9', &ModuleLoad::absolute_address},      {'A', &ModuleLoad::relocatable_address},
    {'B', &ModuleLoad::absolute_word},         {'C', &ModuleLoad::relocatable_word},
    {'F', &ModuleLoad::end_record},            {':', &ModuleLoad::end_module},
    {'I', &ModuleLoad::skipped_field},         {'M', &ModuleLoad::segment_field},
    {'S', &ModuleLoad::segment_field},         {'P', &ModuleLoad::segment_field},
    {'T', &ModuleLoad::segment_field},         {'N', &ModuleLoad::segment_field},
    {'W', &ModuleLoad::segment_field},         {'X', &ModuleLoad::segment_field},
};

bool ModuleLoad::run(std::string_view data, std::string& error) {
    const std::vector<std::string_view> records = split_records(data);
    for (size_t r = 0; r < records.size(); ++r) {
        if (records[r].empty()) continue;
        FieldCursor c(records[r], compressed_);
        Step step;
        do {
            c.set_compressed(compressed_);
            step = field(c);
        } while (step == Step::More);
        if (step == Step::Fail) {
            error = file_ + ": record " + std::to_string(r + 1) + ": " + reason_;
            return false;
        }
        if (step == Step::EndModule) return finish(error);
    }
    return finish(error);
}

Step ModuleLoad::field(FieldCursor& c) {
    if (c.at_end()) return fail("the record ends without its end tag F");
    uint8_t tag = c.peek();
    c.byte(tag, tag != '7' && tag != 'I');
    for (const TagRule& rule : kRules)
        if (rule.tag == tag) return (this->*rule.handle)(c);
    const std::string shown = tag > ' ' && tag <= '~' ? std::string(1, static_cast<char>(tag)) : hex(tag);
    return fail("unknown tag " + shown);
}

Step ModuleLoad::header(FieldCursor& c, bool compressed) {
    compressed_ = compressed;
    c.set_compressed(compressed);
    return c.value(module_size_) && c.skip(kModuleNameWidth, true) ? Step::More : cut_short();
}

Step ModuleLoad::entry(FieldCursor& c, bool relocatable) {
    uint16_t v;
    if (!c.value(v)) return cut_short();
    if (relocatable && !relocate(v, v)) return fail("its entry lies beyond >FFFF");
    if (!l_.entry_) l_.entry_ = v;
    return Step::More;
}

Step ModuleLoad::reference(FieldCursor& c, bool relocatable) {
    uint16_t head;
    std::string name;
    if (!c.value(head) || !c.name(kNameWidth, name)) return cut_short();
    if (name.empty()) return fail("a REF field without a name");
    if (!relocatable && head == 0) return Step::More;  // declared, never used
    if (relocatable && !relocate(head, head)) return fail("the REF chain of " + name + " starts beyond >FFFF");
    l_.references_.push_back({name, head, file_});
    return Step::More;
}

Step ModuleLoad::definition(FieldCursor& c, bool relocatable) {
    uint16_t value;
    std::string name;
    if (!c.value(value) || !c.name(kNameWidth, name)) return cut_short();
    if (name.empty()) return fail("a DEF field without a name");
    if (relocatable && !relocate(value, value)) return fail("DEF " + name + " lies beyond >FFFF");
    if (!l_.definitions_.emplace(name, value).second)
        return fail("DEF " + name + " is defined already by an earlier module");
    return Step::More;
}

Step ModuleLoad::checksum(FieldCursor& c) {
    uint16_t v;
    if (!c.value(v, false)) return cut_short();
    const uint16_t wanted = static_cast<uint16_t>(0u - c.sum() - '7');
    if (v != wanted) return fail("checksum " + hex(v) + ", but its characters add up to " + hex(wanted));
    c.reset_sum();
    return Step::More;
}

Step ModuleLoad::unchecked_checksum(FieldCursor& c) {
    uint16_t v;
    return c.value(v) ? Step::More : cut_short();
}

Step ModuleLoad::load_address(FieldCursor& c, bool relocatable) {
    uint16_t v;
    if (!c.value(v)) return cut_short();
    relocatable_ = relocatable;
    location_ = relocatable ? base_ + v : v;
    address_seen_ = true;
    return Step::More;
}

Step ModuleLoad::data_word(FieldCursor& c, bool relocatable) {
    uint16_t v;
    if (!c.value(v)) return cut_short();
    if (!address_seen_) return fail("a data word before any load address");
    if (relocatable && !relocate(v, v)) return fail("a relocated word comes out beyond >FFFF");
    if (location_ + 1 > 0xFFFF) return fail("code beyond >FFFF");
    for (uint32_t a : {location_, location_ + 1})
        if (!is_loadable(static_cast<uint16_t>(a))) return fail(no_ram_at(static_cast<uint16_t>(a)));
    l_.image_.store_word(static_cast<uint16_t>(location_), v);
    location_ += 2;
    if (relocatable_) relocatable_end_ = std::max(relocatable_end_, location_);
    return Step::More;
}

// The next module's relocatable code follows this one's, whose size the
// header gives (or the last relocatable word, when that lies further).
bool ModuleLoad::finish(std::string& error) {
    const uint32_t end = std::max(base_ + ((module_size_ + 1u) & ~1u), relocatable_end_);
    if (end > 0x10000) {
        error = file_ + ": its relocatable code from " + hex(base_) + " reaches beyond >FFFF";
        return false;
    }
    l_.next_base_ = end;
    return true;
}

bool ObjectLoader::load(const std::string& name, std::string_view file, std::string& error) {
    return ModuleLoad(*this, name).run(file, error);
}

std::optional<uint16_t> ObjectLoader::definition(std::string_view name) const {
    const auto it = definitions_.find(name);
    if (it == definitions_.end()) return std::nullopt;
    return it->second;
}

bool ObjectLoader::walk_chain(const Reference& ref, uint16_t value, std::string& error) {
    uint16_t at = ref.head;
    for (unsigned step = 0; step < kMaxChainSteps; ++step) {
        if ((at & 1) || !image_.loaded(at) || !image_.loaded(static_cast<uint16_t>(at + 1))) {
            error = ref.file + ": the REF chain of " + ref.name + " reaches " + hex(at) + ", where no word was loaded";
            return false;
        }
        const uint16_t next = image_.word(at);
        image_.store_word(at, value);
        if (next == 0) return true;
        at = next;
    }
    error = ref.file + ": the REF chain of " + ref.name + " does not end";
    return false;
}

bool ObjectLoader::resolve(std::string& error) {
    std::string unresolved;
    for (const Reference& ref : references_) {
        std::optional<uint16_t> value = definition(ref.name);
        if (!value) {
            for (const Utility& u : utilities())
                if (u.name == ref.name) value = u.vector;
        }
        if (!value) {
            unresolved += (unresolved.empty() ? "" : ", ") + ref.name + " (" + ref.file + ")";
            continue;
        }
        if (!walk_chain(ref, *value, error)) return false;
    }
    if (unresolved.empty()) return true;
    error = "unresolved references: " + unresolved + "; no module defines them and no utility has their names";
    return false;
}

bool looks_like_object_file(std::string_view file) {
    return !file.empty() && (file[0] == '0' || file[0] == kCompressedHeaderTag);
}

}  // namespace scree
