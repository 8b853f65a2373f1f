#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The text of an INI file, parsed once into its lines with an index of its
// sections and keys, read and changed in memory.
//
// Reading rules: a trimmed line "[name]" starts a section (the name ends at
// the last "]"); "key=value" splits at the first "="; a line starting with
// ";" is a comment; names compare without regard to case; the first of
// duplicate sections or keys wins; lines before the first section belong to
// none.
//
// Changes keep every other line exactly as it was; Text() joins the lines
// with CR LF. After any sequence of changes the document reads exactly as a
// fresh parse of Text() would.

namespace quill {

class IniDocument {
public:
    // text: already decoded to UTF-8, without a byte-order mark.
    explicit IniDocument(std::string text);
    IniDocument(const IniDocument&) = delete;
    IniDocument& operator=(const IniDocument&) = delete;

    // The value of the key in the first section of that name, trimmed, with
    // any quotes still on it.
    std::optional<std::string_view> Find(std::string_view section, std::string_view key);

    // Replaces the value of an existing key in place, or adds the key after
    // the last non-blank line of its section, or adds the section with the
    // key at the end. A line break in a name or value is written as a blank.
    void Write(std::string_view section, std::string_view key, std::string_view value);

    // Removes the first section of that name with all its lines; false when
    // there is none.
    bool EraseSection(std::string_view section);

    // Removes the key's line; false when there is no such key.
    bool DeleteKey(std::string_view section, std::string_view key);

    // Lines written as entries of a numbered list (prefix + k, optionally
    // followed by "." and more) in the first section of that name: how many
    // key lines the section has, and one past the highest k found below
    // limit.
    struct ListExtent {
        std::size_t keyLines = 0;
        std::int64_t present = 0;
    };
    ListExtent MeasureList(std::string_view section, std::string_view entryPrefix,
                           std::int64_t limit);

    // How many lines the text has.
    std::size_t LineCount();

    std::string Text() const;

private:
    struct Section {
        std::string_view raw; // its text with line breaks, until split into lines
        bool split = false;
        std::vector<std::string_view> lines; // once split: the header first, except
                                             // for the lines before the first section
        std::string_view name;               // as parsed from the header
        bool erased = false;
        bool indexed = false;
        std::uint32_t lookups = 0;
        std::unordered_map<std::string, std::size_t> keys; // folded key -> first line
    };

    void Parse(std::string text);
    void Refresh();
    std::string_view Keep(std::string line);
    void AddSection(std::string_view header);
    Section* FindSection(std::string_view name);
    std::vector<std::string_view>& Lines(Section& section);
    std::optional<std::size_t> FindKey(Section& section, std::string_view key);
    void IndexKeys(Section& section);
    void NoteWritten(std::string_view line);
    void NoteChanged();
    const std::string& Folded(std::string_view name);

    std::string source_;
    std::deque<std::string> written_; // lines written since the parse; stable
    std::vector<Section> sections_;   // [0]: the lines before the first section
    std::unordered_map<std::string, std::vector<std::size_t>> byName_; // folded -> live
                                                                       // sections in order
    std::string folded_;                                               // scratch for look-ups
    // A change made the text read differently from what the index says (a
    // written line that reads as a section header, or text that is not UTF-8
    // and would be decoded anew): parsed afresh before the next use.
    bool stale_ = false;
    // The text as last changed, while it differs from what the document now
    // reads (decoded for reading): what the file holds until the next change.
    std::optional<std::string> unchanged_;
    std::optional<std::size_t> lineCount_; // counted when first asked, until a change
};

} // namespace quill
