# The version from app/version.h, its one definition: sets QUILL_VERSION_TEXT
# ("1.09", the project version), QUILL_VERSION_MAJOR, QUILL_VERSION_MINOR,
# QUILL_VERSION_BUILD and QUILL_BUILD_TEXT, and fails when the texts and the
# numbers disagree. Configuring again follows every change of the header.
set(quill_version_header ${CMAKE_CURRENT_LIST_DIR}/../app/version.h)
file(STRINGS ${quill_version_header} quill_version_lines REGEX "^#define QUILL_")
foreach(name QUILL_VERSION_MAJOR QUILL_VERSION_MINOR QUILL_VERSION_BUILD)
  if(quill_version_lines MATCHES "#define ${name} ([0-9]+)")
    set(${name} ${CMAKE_MATCH_1})
  else()
    message(FATAL_ERROR "app/version.h defines no number ${name}")
  endif()
endforeach()
foreach(name QUILL_VERSION_TEXT QUILL_BUILD_TEXT)
  if(quill_version_lines MATCHES "#define ${name} \"([^\"]*)\"")
    set(${name} ${CMAKE_MATCH_1})
  else()
    message(FATAL_ERROR "app/version.h defines no text ${name}")
  endif()
endforeach()

if(QUILL_VERSION_MINOR LESS 10)
  set(quill_expected_text "${QUILL_VERSION_MAJOR}.0${QUILL_VERSION_MINOR}")
else()
  set(quill_expected_text "${QUILL_VERSION_MAJOR}.${QUILL_VERSION_MINOR}")
endif()
if(NOT QUILL_VERSION_TEXT STREQUAL quill_expected_text)
  message(FATAL_ERROR "app/version.h: QUILL_VERSION_TEXT \"${QUILL_VERSION_TEXT}\" "
                      "disagrees with its numbers (\"${quill_expected_text}\")")
endif()
if(NOT QUILL_BUILD_TEXT STREQUAL QUILL_VERSION_BUILD)
  message(FATAL_ERROR "app/version.h: QUILL_BUILD_TEXT \"${QUILL_BUILD_TEXT}\" "
                      "disagrees with QUILL_VERSION_BUILD ${QUILL_VERSION_BUILD}")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${quill_version_header})
