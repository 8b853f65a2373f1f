#pragma once

#include "model/item_property.h"
#include "platform/file_system.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quill {

// The separator between an item's name and its file in the order file.
inline constexpr const char* kOrderSeparator = "<|>";

// The catalogue: every wash item of every file, in display order.
class titem_list {
public:
    explicit titem_list(platform::FileSystem& fs) : fs_(&fs) {}

    std::int32_t Count() const { return static_cast<std::int32_t>(Items.size()); }

    // Appends the entries listed in the "Common" section of a wash-item file
    // or of the order file. Existing entries stay. Reads the file once.
    void LoadFromFile(const std::string& path);

    // Writes the catalogue as an order file; removes nothing already there.
    // One replace of the file: on failure it stays as it was.
    void SaveToFile(const std::string& path) const;

    // True when an entry has the same ItemName and txtfilename, case included.
    bool Contains(const titem_property& entry) const;

    // Appends a copy of the entry, unless its name is empty.
    void AddCopy(const titem_property& entry);

    static void Assign(titem_property& target, const titem_property& source) { target = source; }

    void MoveUp(std::int32_t i);
    void MoveDown(std::int32_t i);

    void Clear() { Items.clear(); }

    std::vector<titem_property> Items;

private:
    platform::FileSystem* fs_;
};

} // namespace quill
