#pragma once
// GUIDs that stay the same for the same names: name-based (SHA-1, RFC 4122
// version 5), so that a project's installer keeps its UpgradeCode and its
// components keep their ids across versions and copies.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace bundle {

// The SHA-1 digest of `bytes`.
std::array<std::uint8_t, 20> sha1(const std::string& bytes);

// "XXXXXXXX-XXXX-5XXX-YXXX-XXXXXXXXXXXX" (upper case) for `name` in the
// namespace `space` (a GUID text).
std::string nameGuid(const std::string& space, const std::string& name);

// The UpgradeCode of a project: its company, product and executable names.
std::string upgradeCode(const std::string& company, const std::string& product, const std::string& exeName);

// `text` as a GUID in upper case, braces allowed; nullopt when it is none.
std::optional<std::string> parseGuid(const std::string& text);

}  // namespace bundle
