#pragma once

#include "app/version.h"
#include "platform/shell.h"

#include <string>

// The About dialog: the product and its version, with a way to write to
// support and to visit the web site.

namespace quill {

class Taboutform {
public:
    explicit Taboutform(platform::Shell& shell) : shell_(shell) {}

    void LabelMailClick() { (void)shell_.Open(std::string("mailto:") + kSupport, ""); }
    void LabelWebClick() { (void)shell_.Open(kWebSite, ""); }
    void btnCloseClick() { Closed = true; }

    static constexpr const char* kSupport = "support@quillmere.example";
    static constexpr const char* kWebSite = "https://quillmere.example/";

    std::string Caption = "About";
    std::string LabelProduct = QUILL_PRODUCT_TEXT;
    bool Closed = false;

private:
    platform::Shell& shell_;
};

} // namespace quill
