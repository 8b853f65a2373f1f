// What washes without the user at the window: the start-up wash, the timed
// wash, the wash at the end of the Windows session and the two hot keys.

#include "app/main_window.h"

#include "app/with_end.h"
#include "engine/builtin_stores.h"
#include "engine/date_bounds.h"
#include "settings/settings_file.h"

#include <algorithm>
#include <tuple>
#include <vector>

namespace quill {

namespace {

// Milliseconds from 30 December 1899 to the moment, exactly.
std::int64_t Milliseconds(const platform::LocalTime& t) {
    const DayAndTime at = ToDayAndTime(t);
    return at.day * 86400000 + at.ms;
}

} // namespace

void TFormMainQLMR::SetHotKeys(bool registering) {
    platform::HotKeys& keys = services_.hotKeys;
    if (!registering) {
        keys.Unregister(kHideHotKeyId);
        keys.Unregister(kWashHotKeyId);
        return;
    }
    const SettingsFile file(services_.fs, AppDir);
    std::string failed;
    std::vector<HotKeyCombination> ours;
    for (const auto& [id, stored, action] :
         {std::tuple{kHideHotKeyId, file.CloseHotKey(), "Close all Interner Explorer windows"},
          std::tuple{kWashHotKeyId, file.WashHotKey(), "Clean all the checked wash items"}}) {
        const HotKeyCombination c = HotKeyForRegistration(stored);
        if (!c.valid) {
            continue;
        }
        if (keys.Register(id, c.modifiers, c.virtualKey)) {
            ours.push_back(c);
            continue;
        }
        // Taken by the other hot key of ours (the preferences dialog
        // registers again between storing the two): no other program's.
        const bool own = std::any_of(ours.begin(), ours.end(), [&](const HotKeyCombination& o) {
            return o.modifiers == c.modifiers && o.virtualKey == c.virtualKey;
        });
        if (!own) {
            // Appended piece by piece: GCC 12 warns falsely on the sum.
            failed.append("\r").append(HotKeyText(c)).append(" (").append(action).append(")");
        }
    }
    // A key another program holds would do nothing: the user is told which,
    // once (not again at every registration while it stays taken).
    if (!failed.empty() && failed != hotKeysReported_) {
        std::string text = "These hot keys cannot be registered, another program uses them:";
        text.append(failed).append("\rPlease choose others in Preferences.");
        services_.dialogs.ShowMessage(platform::MessageKind::Error, text);
    }
    hotKeysReported_ = failed;
}

std::string HotKeyText(const HotKeyCombination& c) {
    std::string text;
    if (c.modifiers & platform::modifier::Control) {
        text += "Ctrl+";
    }
    if (c.modifiers & platform::modifier::Alt) {
        text += "Alt+";
    }
    if (c.modifiers & platform::modifier::Shift) {
        text += "Shift+";
    }
    return text + static_cast<char>(c.virtualKey);
}

void TFormMainQLMR::HideBrowserWindows() {
    if (!services_.shell.HideBrowserWindows()) {
        throw EOleSysError("The shell windows cannot be listed");
    }
}

void TFormMainQLMR::FormActivate() {
    if (activated_) {
        return;
    }
    activated_ = true;
    if (BrowserProfileCheckDue(DetectServices{services_.fs, services_.registry, services_.system,
                                              services_.dialogs, services_.shell,
                                              services_.fileDialogs, macros_, AppDir, nullptr})) {
        ShowFormDetect();
    }
    const SettingsFile file(services_.fs, AppDir);
    if (file.Read(settings::AutoRun) && (ScheduleFlags & schedule::AtStart)) {
        (void)WashNowWithoutConfirmation(false);
    }
}

void TFormMainQLMR::WMHotKey(int id) {
    if (id == kHideHotKeyId) {
        HideBrowserWindows();
    } else if (id == kWashHotKeyId) {
        (void)WashNowWithoutConfirmation(true);
    }
}

void TFormMainQLMR::Timer1Timer() {
    if (!btnWashAll.Enabled || running_) {
        return;
    }
    // The interval is a time of day, H:M:00: a day or more, or less than
    // nothing, is no time of day and no timed wash comes.
    if (ScheduleMinutes < 0 || ScheduleMinutes >= 24 * 60) {
        return;
    }
    const std::int64_t due =
        Milliseconds(LastTimedWash) + static_cast<std::int64_t>(ScheduleMinutes) * 60000;
    if (Milliseconds(services_.clock.Now()) < due) {
        return;
    }
    // The next interval starts when this wash has ended, also when it
    // failed: its error reaches the user once, not at every tick. A wash
    // from the console keeps it waiting: the next tick tries again.
    bool started = true;
    WithEnd([&] { started = WashNowWithoutConfirmation(false); },
            [&] {
                if (started) {
                    LastTimedWash = services_.clock.Now();
                }
            });
}

bool TFormMainQLMR::WMQueryEndSession() {
    if (ScheduleFlags & schedule::AtShutdown) {
        (void)WashNowWithoutConfirmation(false);
    }
    return true;
}

} // namespace quill
