#pragma once

#include <string>

namespace quill {

// The identity and flags of one wash item; also one entry of the catalogue.
struct titem_property {
    std::string ItemName;
    bool IsActive = true;
    bool IsSpecial = false;
    std::string txtfilename;
};

} // namespace quill
