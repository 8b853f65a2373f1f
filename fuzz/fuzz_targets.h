#pragma once

#include <cstddef>
#include <cstdint>

// The entry functions of the fuzz targets: each takes one input and runs a
// parser over it. libFuzzer calls them through fuzz_main.cpp; the corpus
// replay test of the ordinary native build calls them on every seed.

namespace quill::fuzz {

using Entry = int (*)(const std::uint8_t* data, std::size_t size);

// An INI text read and written back through IniFile.
int IniFile(const std::uint8_t* data, std::size_t size);
// A name mask (first line) matched against a name (the rest).
int NameMask(const std::uint8_t* data, std::size_t size);
// A path (first line) tested against exclusion patterns (one per line after).
int ExclusionMatch(const std::uint8_t* data, std::size_t size);
// A text with path macros expanded.
int PathMacros(const std::uint8_t* data, std::size_t size);
// A registry target text decoded.
int RegistryEntry(const std::uint8_t* data, std::size_t size);
// A wash-item file loaded: every item its list names.
int ItemFile(const std::uint8_t* data, std::size_t size);
// A winapp2.ini text parsed, every entry converted and all of them imported.
int Winapp2(const std::uint8_t* data, std::size_t size);

struct Target {
    const char* name; // also the folder of its seeds under fuzz/corpus
    Entry entry;
};

inline constexpr Target kTargets[] = {
    {"ini_file", IniFile},
    {"name_mask", NameMask},
    {"exclusion_match", ExclusionMatch},
    {"path_macros", PathMacros},
    {"registry_entry", RegistryEntry},
    {"item_file", ItemFile},
    {"winapp2", Winapp2},
};

} // namespace quill::fuzz
