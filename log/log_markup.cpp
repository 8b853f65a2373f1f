#include "log/log_markup.h"

#include "platform/calendar.h"

#include <cstdio>

namespace quill::logmarkup {

namespace {

std::string Line(const std::string& s) {
    return s + "\r\n";
}

} // namespace

std::string Stamp(const platform::LocalTime& t) {
    const std::int64_t days =
        calendar::DaysFromCivil(t.year, t.month, t.day) - calendar::DaysFromCivil(1899, 12, 30);
    const double ms = ((t.hour * 60.0 + t.minute) * 60.0 + t.second) * 1000.0 + t.millisecond;
    const double value = static_cast<double>(days) + ms / 86400000.0;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", value);
    return buf;
}

std::string Date(const platform::LocalTime& t) {
    char buf[64];
    if (t.hour == 0 && t.minute == 0 && t.second == 0 && t.millisecond == 0) {
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", t.year, t.month, t.day);
    } else {
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day,
                      t.hour, t.minute, t.second);
    }
    return buf;
}

std::string Escape(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string IndexLine(const std::string& stamp, const std::string& date) {
    return Line("<p><a href=\"right.htm#" + stamp + "\" target=\"mainFrame\"><font size=\"2\">" +
                date + "</font></a></p>");
}

std::string SectionHead(const std::string& stamp, const std::string& date) {
    static const struct {
        const char* width;
        const char* name;
    } kCells[] = {
        {"14%", "Type"}, {"5%", "Mode"}, {"8%", "Status"}, {"61%", "Items"}, {"12%", "Note"}};
    std::string out = Line("<p align=\"center\"><a name=\"" + stamp + "\"><font size=\"4\"><b>" +
                           date + "</b></font></p>");
    out += Line("<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"2\">");
    out += Line("<tr>");
    for (const auto& c : kCells) {
        out += Line(std::string("<td width=\"") + c.width + "\">");
        out += Line(std::string("<div align=\"center\"><b>") + c.name + "</b></div>");
        out += Line("</td>");
    }
    out += Line("</tr>");
    return out;
}

std::string Row(LogKind kind, bool quick, bool success, const std::string& note,
                const std::string& item) {
    const char* colour = "#000000";
    const char* type = "Folder/File";
    const char* mode = "&nbsp;";
    switch (kind) {
    case LogKind::FolderFile:
        mode = quick ? "Quick" : "Secure";
        break;
    case LogKind::RegistryEntry:
        colour = "#000040";
        type = "Registry Entry";
        break;
    case LogKind::SpecialItem:
        colour = "#FF00FF";
        type = "Special Item";
        break;
    }
    if (!success) {
        colour = "#FF0000";
    }
    auto cell = [&](const char* width, const std::string& text) {
        return Line(std::string("<td width=\"") + width + "\"><font size=\"2\" color=\"" + colour +
                    "\">" + text + "</font></td>");
    };
    std::string out = Line("<tr>");
    out += cell("14%", type);
    out += cell("5%", mode);
    out += cell("8%", success ? "Success" : "Fail");
    out += cell("61%", Escape(item));
    out += cell("12%", note.empty() ? std::string("&nbsp;") : Escape(note));
    out += Line("</tr>");
    return out;
}

} // namespace quill::logmarkup
