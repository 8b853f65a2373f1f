#include "engine/typed_path.h"

#include <vector>

namespace quill {

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

std::string TrimNameEnd(std::string name) {
    while (!name.empty() && (name.back() == ' ' || name.back() == '.')) {
        name.pop_back();
    }
    return name;
}

} // namespace

std::string NormaliseTypedPath(const std::string& path) {
    std::size_t cut = std::string::npos;
    for (std::size_t i = path.size(); i > 0; --i) {
        if (IsSeparator(path[i - 1])) {
            cut = i - 1;
            break;
        }
    }
    if (cut == std::string::npos) {
        return path;
    }
    const std::string mask = path.substr(cut + 1);
    const std::string folder = path.substr(0, cut + 1);

    // The part ".." never climbs above: "C:\" or "\\server\share\".
    std::string head;
    std::size_t i = 0;
    if (folder.size() >= 3 && folder[1] == ':' && IsSeparator(folder[2])) {
        head = folder.substr(0, 2) + "\\";
        i = 3;
    } else if (folder.size() >= 3 && IsSeparator(folder[0]) && IsSeparator(folder[1]) &&
               !IsSeparator(folder[2])) {
        head = "\\\\";
        i = 2;
        for (int part = 0; part < 2 && i < folder.size(); ++part) {
            std::size_t end = i;
            while (end < folder.size() && !IsSeparator(folder[end])) {
                ++end;
            }
            head.append(folder, i, end - i).push_back('\\');
            i = end;
            while (i < folder.size() && IsSeparator(folder[i])) {
                ++i;
            }
        }
    } else {
        return path; // relative: never searched, left as it is
    }

    std::vector<std::string> names;
    while (i < folder.size()) {
        std::size_t end = i;
        while (end < folder.size() && !IsSeparator(folder[end])) {
            ++end;
        }
        const std::string name = folder.substr(i, end - i);
        i = end + 1;
        if (name == "..") {
            if (!names.empty()) {
                names.pop_back();
            }
            continue;
        }
        std::string trimmed = TrimNameEnd(name);
        if (!trimmed.empty()) {
            names.push_back(std::move(trimmed));
        }
    }
    std::string out = head;
    for (const std::string& name : names) {
        out.append(name).push_back('\\');
    }
    return out + mask;
}

} // namespace quill
