#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The state of the main window's controls, kept by the form's logic so that
// its handlers run without a window; the window mirrors it into real
// controls.

namespace quill {

// A button, a label or a menu entry.
struct ControlState {
    bool Enabled = true;
    bool Visible = true;
    std::string Caption;
};

// A list of rows with check marks and at most one selected row.
class CheckListBox {
public:
    struct Row {
        std::string Text;
        bool Checked = false;
    };

    std::int32_t Count() const { return static_cast<std::int32_t>(rows_.size()); }
    bool Valid(std::int32_t i) const { return i >= 0 && i < Count(); }
    void Clear() {
        rows_.clear();
        ItemIndex = -1;
    }
    void Add(std::string text, bool checked) { rows_.push_back({std::move(text), checked}); }
    const Row& At(std::int32_t i) const { return rows_[static_cast<std::size_t>(i)]; }
    bool Checked(std::int32_t i) const { return At(i).Checked; }
    void SetRow(std::int32_t i, std::string text, bool checked) {
        rows_[static_cast<std::size_t>(i)] = {std::move(text), checked};
    }
    void Delete(std::int32_t i) { rows_.erase(rows_.begin() + i); }
    void SetChecked(std::int32_t i, bool checked) {
        rows_[static_cast<std::size_t>(i)].Checked = checked;
    }
    std::int32_t CheckedCount() const {
        std::int32_t n = 0;
        for (const Row& r : rows_) {
            n += r.Checked ? 1 : 0;
        }
        return n;
    }

    std::int32_t ItemIndex = -1; // the selected row, -1 for none
    bool Enabled = true;         // takes the user's clicks and keys

private:
    std::vector<Row> rows_;
};

// One entry of the tray icon's "Wash" submenu.
struct MenuEntry {
    std::string Caption;
    bool Checked = false;
    std::int32_t Tag = 0;
    bool Enabled = true;
};

} // namespace quill
