#include "platform/ini_file.h"

#include "platform/ini_cache.h"
#include "platform/ini_document.h"
#include "platform/ini_lines.h"
#include "platform/text.h"

#include <algorithm>
#include <vector>

namespace quill {

namespace {

bool AllAscii(std::string_view bytes) {
    unsigned char high = 0;
    for (const char c : bytes) {
        high |= static_cast<unsigned char>(c);
    }
    return high < 0x80;
}

// The file's text: plain ASCII as it is, anything else decoded.
std::string FileText(std::string bytes) {
    return AllAscii(bytes) ? std::move(bytes) : text::DecodeFileText(bytes);
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

IniFile::IniFile(platform::FileSystem& fs, std::string path, IniAccess access)
    : fs_(fs), path_(std::move(path)), access_(access) {}

IniFile::~IniFile() {
    Release();
}

IniFile::Held& IniFile::Open() const {
    if (held_ && access_ == IniAccess::OneCommand) {
        return *held_;
    }
    Release();
    held_ = std::make_unique<Held>();
    platform::FileStamp before;
    const bool stamped = Succeeded(fs_.Stamp(path_, before));
    if (stamped) {
        if (auto doc = fs_.ParsedIniFiles().Take(path_, before, held_->textBytes)) {
            held_->load = Load::Ok;
            held_->doc = std::move(doc);
            held_->stamp = before;
            return *held_;
        }
    }
    std::string bytes;
    const auto r = fs_.ReadWholeFile(path_, bytes);
    if (r == platform::IoResult::NotFound || r == platform::IoResult::PathNotFound) {
        held_->load = Load::Missing;
        bytes.clear();
    } else if (!Succeeded(r)) {
        held_->load = Load::Failed;
        bytes.clear();
    } else {
        held_->load = Load::Ok;
        // Kept only when the file stayed as it was while it was read.
        platform::FileStamp after;
        if (stamped && Succeeded(fs_.Stamp(path_, after)) && after == before) {
            held_->stamp = before;
            held_->textBytes = bytes.size();
        }
    }
    held_->doc = std::make_unique<IniDocument>(FileText(std::move(bytes)));
    return *held_;
}

void IniFile::Release() const {
    if (!held_) {
        return;
    }
    const std::unique_ptr<Held> held = std::move(held_);
    if (!held->changed && held->stamp) {
        fs_.ParsedIniFiles().Put(path_, *held->stamp, std::move(held->doc), held->textBytes);
    }
}

void IniFile::Changed(Held& held, bool report) {
    held.changed = true;
    held.mustReport = held.mustReport || report;
    if (access_ == IniAccess::EachCall) {
        Commit();
    }
}

void IniFile::Commit() {
    if (!held_ || !held_->changed) {
        Release();
        return;
    }
    const std::unique_ptr<Held> held = std::move(held_);
    fs_.ParsedIniFiles().Forget(path_);
    if (!Succeeded(fs_.ReplaceFileContent(path_, held->doc->Text())) && held->mustReport) {
        Fail();
    }
}

void IniFile::Fail() const {
    throw EIniFileException("Unable to write to " + path_);
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
    const auto value = Open().doc->Find(section, key);
    if (!value) {
        return std::string(fallback);
    }
    return std::string(text::FirstCodePoints(ini::Unquote(*value), kMaxIniValueLength));
}

std::int32_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                                  std::int32_t fallback) const {
    const std::string v = ReadString(section, key, "");
    return ParseInteger(v).value_or(fallback);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

std::int32_t IniFile::ReadCount(std::string_view section, std::string_view countKey,
                                std::string_view entryPrefix) const {
    const std::int32_t count = ReadInteger(section, countKey, 0);
    if (count <= 0) {
        return count;
    }
    IniDocument& doc = *Open().doc;
    const auto extent = doc.MeasureList(section, entryPrefix, count);
    const auto stated = static_cast<std::size_t>(count);
    if (count <= kMaxListEntries && (stated <= extent.keyLines || stated <= doc.LineCount())) {
        return count;
    }
    return static_cast<std::int32_t>(std::min<std::int64_t>(extent.present, kMaxListEntries));
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    Held& held = Open();
    if (held.load == Load::Failed) {
        Fail(); // never replace a file we could not read
    }
    held.doc->Write(section, key, value);
    Changed(held, true);
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void IniFile::EraseSection(std::string_view section) {
    Held& held = Open();
    if (held.load == Load::Failed) {
        Fail();
    }
    if (held.doc->EraseSection(section)) {
        Changed(held, true);
    }
}

void IniFile::DeleteKey(std::string_view section, std::string_view key) {
    Held& held = Open();
    if (held.doc->DeleteKey(section, key)) {
        Changed(held, false);
    }
}

std::vector<std::string> ReadIniList(const IniFile& ini, const IniList& list, ListEntries form) {
    if (ini.Access() == IniAccess::EachCall) {
        return ReadIniList(IniFile(ini.Files(), ini.FileName(), IniAccess::OneCommand), list, form);
    }
    std::vector<std::string> out;
    const std::int32_t count = ini.ReadCount(list.section, list.countKey, list.entryPrefix);
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
    if (ini.Access() == IniAccess::EachCall) {
        IniFile command(ini.Files(), ini.FileName(), IniAccess::OneCommand);
        WriteIniList(command, list, entries);
        command.Commit();
        return;
    }
    const auto count = static_cast<std::int32_t>(entries.size());
    ini.WriteInteger(list.section, list.countKey, count);
    for (std::int32_t n = 0; n < count; ++n) {
        ini.WriteString(list.section, list.entryPrefix + std::to_string(n),
                        entries[static_cast<std::size_t>(n)]);
    }
}

} // namespace quill
