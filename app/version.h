#pragma once

// The program's version, written here and nowhere else. Read by the C++ code,
// by the resource scripts (the version resource) and by CMake, which takes
// the project version (and with it the package names) from the lines below:
// keep each one a plain #define of a number or a string.
//
// QUILL_VERSION_TEXT is "MAJOR.MINOR" with the minor number in two digits;
// QUILL_BUILD_TEXT is the build number. CMake refuses to configure when the
// texts and the numbers disagree.

#define QUILL_VERSION_MAJOR 1
#define QUILL_VERSION_MINOR 9
#define QUILL_VERSION_BUILD 4
#define QUILL_VERSION_TEXT "1.09"
#define QUILL_BUILD_TEXT "4"

// "1.09 (Build 4)": the version resource's texts.
#define QUILL_VERSION_BUILD_TEXT QUILL_VERSION_TEXT " (Build " QUILL_BUILD_TEXT ")"
// "Quillmere V1.09 (Build 4)": the About dialog and the console's --version.
#define QUILL_PRODUCT_TEXT "Quillmere V" QUILL_VERSION_BUILD_TEXT
// "Quillmere V1.09 Build 4": the main window's caption.
#define QUILL_CAPTION_TEXT "Quillmere V" QUILL_VERSION_TEXT " Build " QUILL_BUILD_TEXT
