#pragma once

// Identifiers of the program's resources, shared by the resource script and
// the code that loads them.

#define IDI_QUILLMERE 1

// The command glyphs of the main window, in the order of app/win32/glyphs.h,
// and their greyed twins for disabled buttons.
#define IDI_GLYPH_FIRST 100
#define IDI_GLYPH_OFF_FIRST 200
