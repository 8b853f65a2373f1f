#include "platform/ini_file.h"

#include "platform/text.h"

#include <vector>

namespace quill {

namespace {

// Splits text into lines at CR LF, LF or CR; a final line without break counts.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(text.substr(start, i - start));
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

// The section name of a trimmed line, when it is a section line.
std::optional<std::string_view> SectionName(std::string_view line) {
    if (line.empty() || line.front() != '[') {
        return std::nullopt;
    }
    const std::size_t close = line.rfind(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return text::Trim(line.substr(1, close - 1));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

// The key and value of a trimmed line, when it is a key line.
std::optional<KeyLine> ParseKeyLine(std::string_view line) {
    if (line.empty() || line.front() == ';') {
        return std::nullopt;
    }
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
        return std::nullopt;
    }
    return KeyLine{text::Trim(line.substr(0, eq)), text::Trim(line.substr(eq + 1))};
}

std::string_view Unquote(std::string_view v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        return v.substr(1, v.size() - 2);
    }
    return v;
}

// A line break inside a stored name or value would start a new line of the
// file and could forge keys; it is written as a blank instead.
std::string OneLine(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return out;
}

// Where a section lies in the list of lines: its header line and one past
// its last line.
struct SectionSpan {
    std::size_t header;
    std::size_t end;
};

std::optional<SectionSpan> FindSection(const std::vector<std::string_view>& lines,
                                       std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = SectionName(text::Trim(lines[i]));
        if (name && text::EqualsNoCase(*name, section)) {
            std::size_t end = i + 1;
            while (end < lines.size() && !SectionName(text::Trim(lines[end]))) {
                ++end;
            }
            return SectionSpan{i, end};
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> FindKey(const std::vector<std::string_view>& lines, SectionSpan span,
                                   std::string_view key) {
    for (std::size_t i = span.header + 1; i < span.end; ++i) {
        const auto kv = ParseKeyLine(text::Trim(lines[i]));
        if (kv && text::EqualsNoCase(kv->key, key)) {
            return i;
        }
    }
    return std::nullopt;
}

std::string JoinLines(const std::vector<std::string_view>& lines) {
    std::size_t size = 0;
    for (const auto& l : lines) {
        size += l.size() + 2;
    }
    std::string out;
    out.reserve(size);
    for (const auto& l : lines) {
        out.append(l);
        out.append("\r\n");
    }
    return out;
}

} // namespace

std::optional<std::int32_t> ParseInteger(std::string_view t) {
    if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
        std::uint64_t v = 0;
        for (std::size_t i = 2; i < t.size(); ++i) {
            const char c = t[i];
            int d;
            if (c >= '0' && c <= '9') {
                d = c - '0';
            } else if (c >= 'a' && c <= 'f') {
                d = c - 'a' + 10;
            } else if (c >= 'A' && c <= 'F') {
                d = c - 'A' + 10;
            } else {
                return std::nullopt;
            }
            v = v * 16 + static_cast<std::uint64_t>(d);
            if (v > 0xFFFFFFFFull) {
                return std::nullopt;
            }
        }
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
    }
    std::size_t i = 0;
    bool negative = false;
    if (!t.empty() && (t[0] == '-' || t[0] == '+')) {
        negative = t[0] == '-';
        i = 1;
    }
    if (i == t.size()) {
        return std::nullopt;
    }
    std::int64_t v = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < '0' || t[i] > '9') {
            return std::nullopt;
        }
        v = v * 10 + (t[i] - '0');
        if (v > 0x80000000ll) {
            return std::nullopt;
        }
    }
    if (negative) {
        v = -v;
    }
    if (v > 0x7FFFFFFFll) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(v);
}

IniFile::IniFile(platform::FileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {}

IniFile::Load IniFile::LoadText(std::string& text) const {
    std::string bytes;
    const auto r = fs_.ReadWholeFile(path_, bytes);
    if (r == platform::IoResult::NotFound || r == platform::IoResult::PathNotFound) {
        text.clear();
        return Load::Missing;
    }
    if (!Succeeded(r)) {
        text.clear();
        return Load::Failed;
    }
    text = text::DecodeFileText(bytes);
    return Load::Ok;
}

void IniFile::Store(const std::string& text) {
    if (!Succeeded(fs_.ReplaceFileContent(path_, text))) {
        Fail();
    }
}

void IniFile::Fail() const {
    throw EIniFileException("Unable to write to " + path_);
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
    std::string content;
    if (LoadText(content) != Load::Ok) {
        return std::string(fallback);
    }
    const auto lines = SplitLines(content);
    const auto span = FindSection(lines, section);
    if (!span) {
        return std::string(fallback);
    }
    const auto at = FindKey(lines, *span, key);
    if (!at) {
        return std::string(fallback);
    }
    const auto value = Unquote(ParseKeyLine(text::Trim(lines[*at]))->value);
    return std::string(text::FirstCodePoints(value, kMaxIniValueLength));
}

std::int32_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                                  std::int32_t fallback) const {
    const std::string v = ReadString(section, key, "");
    return ParseInteger(v).value_or(fallback);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    std::string content;
    if (LoadText(content) == Load::Failed) {
        Fail(); // never replace a file we could not read
    }
    auto lines = SplitLines(content);
    const std::string keyText = OneLine(key);
    const std::string valueText = OneLine(value);
    std::string newLine;
    const auto span = FindSection(lines, section);
    if (!span) {
        std::string header(1, '[');
        header += OneLine(section);
        header += ']';
        newLine = keyText + "=" + valueText;
        lines.push_back(header);
        lines.push_back(newLine);
        Store(JoinLines(lines));
        return;
    }
    if (const auto at = FindKey(lines, *span, keyText)) {
        newLine = std::string(ParseKeyLine(text::Trim(lines[*at]))->key) + "=" + valueText;
        lines[*at] = newLine;
    } else {
        // After the last non-blank line of the section.
        std::size_t pos = span->end;
        while (pos > span->header + 1 && text::Trim(lines[pos - 1]).empty()) {
            --pos;
        }
        newLine = keyText + "=" + valueText;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(pos), newLine);
    }
    Store(JoinLines(lines));
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void IniFile::EraseSection(std::string_view section) {
    std::string content;
    const Load load = LoadText(content);
    if (load == Load::Failed) {
        Fail();
    }
    auto lines = SplitLines(content);
    const auto span = FindSection(lines, section);
    if (!span) {
        return;
    }
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(span->header),
                lines.begin() + static_cast<std::ptrdiff_t>(span->end));
    Store(JoinLines(lines));
}

void IniFile::DeleteKey(std::string_view section, std::string_view key) {
    std::string content;
    if (LoadText(content) != Load::Ok) {
        return;
    }
    auto lines = SplitLines(content);
    const auto span = FindSection(lines, section);
    if (!span) {
        return;
    }
    const auto at = FindKey(lines, *span, key);
    if (!at) {
        return;
    }
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(*at));
    try {
        Store(JoinLines(lines));
    } catch (const EIniFileException&) {
        // Deleting a key reports nothing.
    }
}

std::vector<std::string> ReadIniList(const IniFile& ini, const IniList& list, ListEntries form) {
    std::vector<std::string> out;
    const std::int32_t count = ini.ReadInteger(list.section, list.countKey, 0);
    for (std::int32_t n = 0; n < count; ++n) {
        std::string v = ini.ReadString(list.section, list.entryPrefix + std::to_string(n), "");
        if (form == ListEntries::Trimmed) {
            v = text::TrimCopy(v);
        }
        if (!v.empty()) {
            out.push_back(std::move(v));
        }
    }
    return out;
}

void WriteIniList(IniFile& ini, const IniList& list, const std::vector<std::string>& entries) {
    const auto count = static_cast<std::int32_t>(entries.size());
    ini.WriteInteger(list.section, list.countKey, count);
    for (std::int32_t n = 0; n < count; ++n) {
        ini.WriteString(list.section, list.entryPrefix + std::to_string(n),
                        entries[static_cast<std::size_t>(n)]);
    }
}

} // namespace quill
