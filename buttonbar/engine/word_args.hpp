// Argument patterns shared by the word handlers.
#pragma once

#include <string>

#include "interpreter.hpp"

namespace dok {

// Value functions: arguments separated by separator skipping, ")" or error 4.
inline bool value_args(Dok& dok, Scan& s, std::string& a) { return text_argument(dok, s, a) && close_value(dok, s); }
inline bool value_args(Dok& dok, Scan& s, std::string& a, std::string& b) {
    return text_argument(dok, s, a) && text_argument(dok, s, b) && close_value(dok, s);
}
inline bool value_args(Dok& dok, Scan& s, std::string& a, uint32_t& n) {
    return text_argument(dok, s, a) && number_argument(dok, s, n) && close_value(dok, s);
}
inline bool value_args(Dok& dok, Scan& s, uint32_t& n) { return number_argument(dok, s, n) && close_value(dok, s); }

// Commands: "," between arguments or error 28, ")" or error 18.
inline bool command_args(Dok& dok, Scan& s, std::string& a) {
    return text_argument(dok, s, a) && close_command(dok, s);
}
inline bool command_args(Dok& dok, Scan& s, std::string& a, std::string& b) {
    return text_argument(dok, s, a) && require_comma(dok, s) && text_argument(dok, s, b) && close_command(dok, s);
}
inline bool command_args(Dok& dok, Scan& s, std::string& a, uint32_t& n) {
    return text_argument(dok, s, a) && require_comma(dok, s) && number_argument(dok, s, n) &&
           close_command(dok, s);
}

// A value function without arguments still needs its ")".
inline bool no_args(Dok& dok, Scan& s) { return close_value(dok, s); }

}  // namespace dok
