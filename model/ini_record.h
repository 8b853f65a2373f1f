#pragma once

#include "platform/ini_file.h"

#include <cstdint>
#include <string>

// One routine per stored record reads and writes it; these helpers let that
// routine name each key once for both directions.

namespace quill {

enum class Direction { Read, Write };

inline void SyncString(IniFile& ini, Direction d, const std::string& section,
                       const std::string& key, std::string& field) {
    if (d == Direction::Read) {
        field = ini.ReadString(section, key, "");
    } else {
        ini.WriteString(section, key, field);
    }
}

inline void SyncBool(IniFile& ini, Direction d, const std::string& section, const std::string& key,
                     bool& field, bool fallback) {
    if (d == Direction::Read) {
        field = ini.ReadBool(section, key, fallback);
    } else {
        ini.WriteBool(section, key, field);
    }
}

// A stored kind of 0, 1 or 2: another integer leaves the field as it was; a
// missing or non-numeric value gives the fallback.
template <class Kind>
void SyncKind(IniFile& ini, Direction d, const std::string& section, const std::string& key,
              Kind& field, Kind fallback) {
    if (d == Direction::Read) {
        const std::int32_t v = ini.ReadInteger(section, key, static_cast<std::int32_t>(fallback));
        if (v >= 0 && v <= 2) {
            field = static_cast<Kind>(v);
        }
    } else {
        ini.WriteInteger(section, key, static_cast<std::int32_t>(field));
    }
}

} // namespace quill
