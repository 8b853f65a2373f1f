#pragma once

// The About dialog: its size and control ids, in dialog units (the window
// tests use them too).

namespace quill::dialog::about {

constexpr int kWidth = 200;
constexpr int kHeight = 87;

constexpr int kTextProduct = 1901;
constexpr int kTextSupport = 1902;
constexpr int kLinkSupport = 1903;
constexpr int kTextWebSite = 1904;
constexpr int kLinkWebSite = 1905;
constexpr int kButtonClose = 1906;

} // namespace quill::dialog::about
