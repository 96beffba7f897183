#pragma once
// The version-information resource (RT_VERSION 1, language 0) of a produced
// executable: fixed file information, one "040904B0" string table whose
// pairs are written in byte-wise key order, and the U.S. English / Unicode
// translation.

#include <cstdint>
#include <map>
#include <string>

#include "builder/engine/CodePage.h"

class VersionInfoBuilder {
public:
    VersionInfoBuilder() = default;
    virtual ~VersionInfoBuilder() = default;

    void setTarget(const std::string& path) { target_ = path; }
    // The code page of the strings set (default: defaultCodePage()).
    void setCodePage(unsigned codePage) { codePage_ = codePage; }
    // Four parts, most significant first; each taken as its low 16 bits.
    void setFileVersion(unsigned a, unsigned b, unsigned c, unsigned d);
    void setProductVersion(unsigned a, unsigned b, unsigned c, unsigned d);
    // Inserts or replaces a pair.
    void setString(const std::string& key, const std::string& value) { strings_[key] = value; }

    // The whole resource as it is written. Raises XException "version
    // information too large" when a structure outgrows its 16-bit length.
    std::string layout() const;

    // Writes the resource into the target in one resource transaction.
    // Does nothing for an empty target path. Raises XException "exe not
    // found" when the target cannot be opened for update (the target is
    // then unchanged). Returns the result of ending the update, with the
    // reason of a failure in `error` when given.
    bool write(std::string* error = nullptr) const;

private:
    std::string target_;
    unsigned codePage_ = defaultCodePage();
    std::map<std::string, std::string> strings_;  // std::string compares bytes as unsigned char
    std::uint16_t fileVersion_[4] = {0, 0, 0, 0};
    std::uint16_t productVersion_[4] = {0, 0, 0, 0};
};
