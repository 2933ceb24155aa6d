// Order of the items of a sorted list: compared ignoring case, a new item
// goes after every item that does not sort after it.
#pragma once

#include <string_view>

namespace dok {

bool list_less(std::string_view a, std::string_view b);

// Position for text in a sorted list of count items read through item(i).
template <typename Item>
int sorted_position(int count, std::string_view text, Item item) {
    int at = 0;
    while (at < count && !list_less(text, item(at))) ++at;
    return at;
}

}  // namespace dok
