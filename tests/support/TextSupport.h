#pragma once
// The launcher's Text and List types in tests: conversions to and from the
// standard library's strings, comparisons, and printing for GoogleTest.

#include <stdlib.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/Environment.h"
#include "platform/List.h"
#include "platform/Text.h"

inline std::string str(const Text& t) { return std::string(t.data(), t.size()); }
inline Text text(const std::string& s) { return Text(s.data(), s.size()); }

inline std::vector<std::string> strs(const List<Text>& list) {
    std::vector<std::string> out;
    for (const Text& t : list) out.push_back(str(t));
    return out;
}
inline List<Text> texts(const std::vector<std::string>& list) {
    List<Text> out;
    for (const std::string& s : list) out.push_back(text(s));
    return out;
}

inline bool operator==(const Text& a, const std::string& b) { return a.equals(b.data(), b.size()); }
inline bool operator==(const std::string& a, const Text& b) { return b == a; }
inline bool operator==(const List<Text>& a, const std::vector<std::string>& b) { return strs(a) == b; }

inline std::ostream& operator<<(std::ostream& os, const Text& t) { return os << '"' << str(t) << '"'; }
inline std::ostream& operator<<(std::ostream& os, const List<Text>& list) {
    os << '{';
    for (std::size_t i = 0; i < list.size(); ++i) os << (i ? ", " : "") << list[i];
    return os << '}';
}

namespace caskit_test {

// The live value of an environment variable, nullopt when unset.
inline std::optional<std::string> currentVariable(const char* name) {
    const char* value = getenv(name);
    if (!value) return std::nullopt;
    return std::string(value);
}

// The start-up value of an environment variable as the launcher sees it,
// nullopt when unset.
inline std::optional<std::string> startupValue(const char* name) {
    Text value;
    if (!platform::startupVariable(name, value)) return std::nullopt;
    return str(value);
}

}  // namespace caskit_test
