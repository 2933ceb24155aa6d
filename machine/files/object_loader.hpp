// Tagged object files as the Editor/Assembler's option 3 loads them, one
// after another: absolute parts at their addresses, relocatable parts one
// module after another from >A000, DEFs collected and REF chains resolved
// against them and the utilities once every file is in.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "machine/files/load_image.hpp"

namespace scree {

inline constexpr uint16_t kFirstRelocatableAddress = 0xA000;

class ObjectLoader {
public:
    explicit ObjectLoader(LoadImage& image) : image_(image) {}

    // Loads the module of one file; false with "NAME: reason".
    bool load(const std::string& name, std::string_view file, std::string& error);
    // Walks every REF chain; false naming the references nothing defines.
    bool resolve(std::string& error);

    // The entry of the first module that gives one.
    std::optional<uint16_t> entry() const { return entry_; }
    std::optional<uint16_t> definition(std::string_view name) const;
    // Where the next module's relocatable code would go (>10000 at the end).
    uint32_t relocatable_end() const { return next_base_; }

private:
    friend class ModuleLoad;
    struct Reference {
        std::string name;
        uint16_t head;
        std::string file;
    };
    bool walk_chain(const Reference& ref, uint16_t value, std::string& error);

    LoadImage& image_;
    uint32_t next_base_ = kFirstRelocatableAddress;
    std::map<std::string, uint16_t, std::less<>> definitions_;
    std::vector<Reference> references_;
    std::optional<uint16_t> entry_;
};

// True when the file starts as a tagged object file does.
bool looks_like_object_file(std::string_view file);

}  // namespace scree
