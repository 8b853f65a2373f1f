#pragma once

#include <cstdint>

// The attribute set a search filters on: five of the platform's attribute
// bits, every other bit ignored.

namespace quill {

enum class TFileAttribute { ffArchive, ffReadonly, ffHidden, ffSystem, ffDirectory };

// A set of TFileAttribute as bits.
using TFileAttributes = unsigned;

namespace ff {
inline constexpr TFileAttributes Of(TFileAttribute a) {
    return 1u << static_cast<unsigned>(a);
}
inline constexpr TFileAttributes Archive = Of(TFileAttribute::ffArchive);
inline constexpr TFileAttributes Readonly = Of(TFileAttribute::ffReadonly);
inline constexpr TFileAttributes Hidden = Of(TFileAttribute::ffHidden);
inline constexpr TFileAttributes System = Of(TFileAttribute::ffSystem);
inline constexpr TFileAttributes Directory = Of(TFileAttribute::ffDirectory);
inline constexpr TFileAttributes Default = Archive | Readonly | Hidden | System;
} // namespace ff

// The attribute set of platform attribute bits.
TFileAttributes FileAttributeSet(std::uint32_t attributes);

// With exact set, the entry's set must equal wanted; otherwise it must be
// empty or share an element with wanted.
bool AttributesPass(TFileAttributes entry, TFileAttributes wanted, bool exact);

} // namespace quill
