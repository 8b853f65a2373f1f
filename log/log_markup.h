#pragma once

#include "log/wash_log.h"
#include "platform/wall_clock.h"

#include <string>

// The markup of the wash log: one link line in left.htm per section, a head,
// rows and a closing line in right.htm. Every line ends in CR LF.

namespace quill::logmarkup {

// Days since 30 December 1899 with the time of day as the fraction, in the
// shortest form of up to 15 significant digits ("46364.2714236111").
std::string Stamp(const platform::LocalTime& t);

// "yyyy-mm-dd HH:mm:ss"; the time is left out at exactly midnight.
std::string Date(const platform::LocalTime& t);

// &, <, > and " as HTML entities, so that a path cannot carry markup into
// the page; the text reads the same in the browser.
std::string Escape(const std::string& text);

std::string IndexLine(const std::string& stamp, const std::string& date);
std::string SectionHead(const std::string& stamp, const std::string& date);
std::string Row(LogKind kind, bool quick, bool success, const std::string& note,
                const std::string& item);
inline constexpr const char* kSectionEnd = "</table>\r\n";

} // namespace quill::logmarkup
