#include "platform/ini_document.h"

#include "platform/ini_lines.h"
#include "platform/text.h"

#include <algorithm>
#include <cstring>

namespace quill {

namespace {

// Sections longer than this get an index of their keys at the first look-up;
// shorter ones are searched line by line, which is quicker for them.
constexpr std::size_t kIndexedSectionLines = 24;

// Calls line for every line of text, split at CR LF, LF or CR; a final line
// without a break counts.
template <class Visit> void ForEachLine(std::string_view text, Visit&& line) {
    const char* data = text.data();
    const std::size_t n = text.size();
    const auto next = [&](char c, std::size_t from) {
        const void* at = std::memchr(data + from, c, n - from);
        return at ? static_cast<std::size_t>(static_cast<const char*>(at) - data) : n;
    };
    std::size_t start = 0;
    std::size_t lf = n > 0 ? next('\n', 0) : n;
    std::size_t cr = n > 0 ? next('\r', 0) : n;
    while (start < n) {
        if (lf < start) {
            lf = next('\n', start);
        }
        if (cr < start) {
            cr = next('\r', start);
        }
        const std::size_t end = std::min(lf, cr);
        line(text.substr(start, end - start));
        if (end == n) {
            break;
        }
        start = end + 1;
        if (data[end] == '\r' && start < n && data[start] == '\n') {
            ++start;
        }
    }
}

// Joins the pieces of a line.
std::string Joined(std::string_view a, std::string_view b, std::string_view c) {
    std::string out;
    out.reserve(a.size() + b.size() + c.size());
    out.append(a);
    out.append(b);
    out.append(c);
    return out;
}

// The number k of a key named prefix + k, alone or followed by "." and more.
std::optional<std::int64_t> EntryNumber(std::string_view key, std::string_view prefix) {
    if (key.size() <= prefix.size() || !text::EqualsNoCase(key.substr(0, prefix.size()), prefix)) {
        return std::nullopt;
    }
    std::size_t i = prefix.size();
    const std::size_t first = i;
    std::int64_t k = 0;
    while (i < key.size() && key[i] >= '0' && key[i] <= '9' && i - first < 10) {
        k = k * 10 + (key[i] - '0');
        ++i;
    }
    if (i == first || (key[first] == '0' && i - first > 1)) {
        return std::nullopt; // not the decimal form a writer gives
    }
    if (i < key.size() && key[i] != '.') {
        return std::nullopt;
    }
    return k;
}

// Blanks the way Trim sees them, line breaks apart.
bool IsBlankInLine(char c) {
    return static_cast<unsigned char>(c) <= 0x20 && c != '\r' && c != '\n';
}

// Puts into out what folding gives: ASCII text directly, the rest through
// the full comparison's fold.
void FoldInto(std::string& out, std::string_view name) {
    out.clear();
    for (const char c : name) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            out = text::FoldCaseCopy(name);
            return;
        }
        out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
    }
}

} // namespace

IniDocument::IniDocument(std::string text) {
    Parse(std::move(text));
}

// Finds the section lines only: a "[" that is the first non-blank of its
// line, on a line that reads as a section header. Each section keeps its
// text and is split into lines when first used.
void IniDocument::Parse(std::string text) {
    source_ = std::move(text);
    written_.clear();
    unchanged_.reset();
    lineCount_.reset();
    sections_.clear();
    byName_.clear();
    stale_ = false;
    const std::string_view all(source_);
    const char* data = all.data();
    const std::size_t n = all.size();
    std::size_t sectionStart = 0; // of the section being collected
    sections_.emplace_back();
    for (std::size_t at = 0; at < n;) {
        const void* found = std::memchr(data + at, '[', n - at);
        if (!found) {
            break;
        }
        const auto open = static_cast<std::size_t>(static_cast<const char*>(found) - data);
        at = open + 1;
        std::size_t lineStart = open;
        while (lineStart > 0 && IsBlankInLine(data[lineStart - 1])) {
            --lineStart;
        }
        if (lineStart > 0 && data[lineStart - 1] != '\r' && data[lineStart - 1] != '\n') {
            continue; // not the first non-blank of its line
        }
        std::size_t lineEnd = open;
        while (lineEnd < n && data[lineEnd] != '\r' && data[lineEnd] != '\n') {
            ++lineEnd;
        }
        const std::string_view line = all.substr(lineStart, lineEnd - lineStart);
        const auto name = ini::SectionName(text::Trim(line));
        at = lineEnd;
        if (!name) {
            continue;
        }
        sections_.back().raw = all.substr(sectionStart, lineStart - sectionStart);
        sectionStart = lineStart;
        Section& s = sections_.emplace_back();
        s.name = *name;
        byName_[Folded(*name)].push_back(sections_.size() - 1);
    }
    sections_.back().raw = all.substr(sectionStart);
}

void IniDocument::Refresh() {
    if (!stale_) {
        return;
    }
    std::string text = Text();
    std::string decoded = text::DecodeFileText(text);
    const bool same = decoded == text;
    Parse(std::move(decoded));
    if (!same) {
        unchanged_ = std::move(text);
    }
}

std::string_view IniDocument::Keep(std::string line) {
    return written_.emplace_back(std::move(line));
}

const std::string& IniDocument::Folded(std::string_view name) {
    FoldInto(folded_, name);
    return folded_;
}

std::vector<std::string_view>& IniDocument::Lines(Section& section) {
    if (!section.split) {
        ForEachLine(section.raw,
                    [&section](std::string_view line) { section.lines.push_back(line); });
        section.split = true;
    }
    return section.lines;
}

IniDocument::Section* IniDocument::FindSection(std::string_view name) {
    const auto it = byName_.find(Folded(name));
    if (it == byName_.end() || it->second.empty()) {
        return nullptr;
    }
    return &sections_[it->second.front()];
}

void IniDocument::IndexKeys(Section& section) {
    const auto& lines = Lines(section);
    section.keys.clear();
    section.keys.reserve(lines.size());
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (const auto kv = ini::ParseKeyLine(text::Trim(lines[i]))) {
            section.keys.try_emplace(Folded(kv->key), i);
        }
    }
    section.indexed = true;
}

std::optional<std::size_t> IniDocument::FindKey(Section& section, std::string_view key) {
    const auto& lines = Lines(section);
    // A long section searched often gets an index of its keys.
    if (!section.indexed && lines.size() > kIndexedSectionLines && ++section.lookups > 8) {
        IndexKeys(section);
    }
    if (section.indexed) {
        const auto it = section.keys.find(Folded(key));
        if (it == section.keys.end()) {
            return std::nullopt;
        }
        return it->second;
    }
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto kv = ini::ParseKeyLine(text::Trim(lines[i]));
        if (kv && text::EqualsNoCase(kv->key, key)) {
            return i;
        }
    }
    return std::nullopt;
}

void IniDocument::AddSection(std::string_view header) {
    Section& s = sections_.emplace_back();
    s.split = true;
    s.lines.push_back(header);
    s.name = *ini::SectionName(text::Trim(header));
    byName_[Folded(s.name)].push_back(sections_.size() - 1);
}

void IniDocument::NoteWritten(std::string_view line) {
    unchanged_.reset();
    // A fresh read would see a new section here, or decode text that is not
    // UTF-8 as Windows-1252.
    if (ini::SectionName(text::Trim(line)) || !text::IsUtf8(line)) {
        stale_ = true;
    }
    NoteChanged();
}

void IniDocument::NoteChanged() {
    unchanged_.reset();
    lineCount_.reset();
    // A fresh read skips a byte-order mark at the start of the text.
    if (sections_.front().raw.substr(0, 3) == "\xEF\xBB\xBF") {
        stale_ = true;
    }
}

std::optional<std::string_view> IniDocument::Find(std::string_view section, std::string_view key) {
    Refresh();
    Section* s = FindSection(section);
    if (!s) {
        return std::nullopt;
    }
    const auto at = FindKey(*s, key);
    if (!at) {
        return std::nullopt;
    }
    return ini::ParseKeyLine(text::Trim(s->lines[*at]))->value;
}

void IniDocument::Write(std::string_view section, std::string_view key, std::string_view value) {
    Refresh();
    const std::string keyText = ini::OneLine(key);
    const std::string valueText = ini::OneLine(value);
    Section* s = FindSection(section);
    if (!s) {
        const std::string_view header = Keep(Joined("[", ini::OneLine(section), "]"));
        AddSection(header);
        const std::string_view line = Keep(Joined(keyText, "=", valueText));
        sections_.back().lines.push_back(line);
        if (!text::IsUtf8(header)) {
            stale_ = true;
        }
        NoteWritten(line);
        return;
    }
    if (const auto at = FindKey(*s, keyText)) {
        const auto kv = ini::ParseKeyLine(text::Trim(s->lines[*at]));
        const std::string_view line = Keep(Joined(kv->key, "=", valueText));
        s->lines[*at] = line;
        NoteWritten(line);
        return;
    }
    // After the last non-blank line of the section: only blank lines follow,
    // so no indexed key moves.
    std::size_t pos = s->lines.size();
    while (pos > 1 && text::Trim(s->lines[pos - 1]).empty()) {
        --pos;
    }
    const std::string_view line = Keep(Joined(keyText, "=", valueText));
    s->lines.insert(s->lines.begin() + static_cast<std::ptrdiff_t>(pos), line);
    if (s->indexed) {
        if (const auto kv = ini::ParseKeyLine(text::Trim(line))) {
            s->keys.try_emplace(Folded(kv->key), pos);
        }
    }
    NoteWritten(line);
}

bool IniDocument::EraseSection(std::string_view section) {
    Refresh();
    Section* s = FindSection(section);
    if (!s) {
        return false;
    }
    auto& live = byName_[Folded(s->name)];
    live.erase(live.begin());
    s->erased = true;
    s->raw = {};
    s->split = true;
    s->lines.clear();
    s->keys.clear();
    s->indexed = false;
    NoteChanged();
    return true;
}

bool IniDocument::DeleteKey(std::string_view section, std::string_view key) {
    Refresh();
    Section* s = FindSection(section);
    if (!s) {
        return false;
    }
    const auto at = FindKey(*s, key);
    if (!at) {
        return false;
    }
    s->lines.erase(s->lines.begin() + static_cast<std::ptrdiff_t>(*at));
    s->keys.clear();
    s->indexed = false;
    NoteChanged();
    return true;
}

IniDocument::ListExtent IniDocument::MeasureList(std::string_view section,
                                                 std::string_view entryPrefix, std::int64_t limit) {
    Refresh();
    ListExtent extent;
    Section* s = FindSection(section);
    if (!s) {
        return extent;
    }
    const auto& lines = Lines(*s);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto kv = ini::ParseKeyLine(text::Trim(lines[i]));
        if (!kv) {
            continue;
        }
        ++extent.keyLines;
        const auto k = EntryNumber(kv->key, entryPrefix);
        if (k && *k < limit) {
            extent.present = std::max(extent.present, *k + 1);
        }
    }
    return extent;
}

std::size_t IniDocument::LineCount() {
    Refresh();
    if (!lineCount_) {
        std::size_t count = 0;
        for (const Section& s : sections_) {
            if (s.split) {
                count += s.lines.size();
            } else {
                ForEachLine(s.raw, [&count](std::string_view) { ++count; });
            }
        }
        lineCount_ = count;
    }
    return *lineCount_;
}

std::string IniDocument::Text() const {
    if (unchanged_) {
        return *unchanged_;
    }
    std::size_t size = 0;
    for (const Section& s : sections_) {
        if (s.split) {
            for (const auto& line : s.lines) {
                size += line.size() + 2;
            }
        } else {
            size += s.raw.size() + 2;
        }
    }
    std::string out;
    out.reserve(size);
    const auto append = [&out](std::string_view line) {
        out.append(line);
        out.append("\r\n");
    };
    for (const Section& s : sections_) {
        if (s.split) {
            for (const auto& line : s.lines) {
                append(line);
            }
        } else {
            ForEachLine(s.raw, append);
        }
    }
    return out;
}

} // namespace quill
