#pragma once

// The glyphs of the main window's command buttons: the cells of
// resources/glyphs.svg, left to right. Each is the icon IDI_GLYPH_FIRST + n,
// its greyed twin IDI_GLYPH_OFF_FIRST + n (resources/resource_ids.h).

namespace quill::win32app {

enum Glyph : int {
    kGlyphNone = -1,
    kGlyphPreferences,
    kGlyphExclude,
    kGlyphViewLog,
    kGlyphDeleteLog,
    kGlyphImport,
    kGlyphExport,
    kGlyphAbout,
    kGlyphHelp,
    kGlyphPreview,
    kGlyphWash,
    kGlyphExit,
    kGlyphAdd,
    kGlyphEdit,
    kGlyphDelete,
    kGlyphUp,
    kGlyphDown,
    kGlyphCheckAll,
    kGlyphUncheckAll,
    kGlyphCount
};

// Glyphs are square, this many pixels a side.
constexpr int kGlyphSize = 16;

} // namespace quill::win32app
