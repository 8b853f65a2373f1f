#pragma once

#include <stdexcept>

namespace quill {

// A registry read or write that ends the command: "Invalid data type for
// '%s'" or "Failed to set data for '%s'".
class ERegistryException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace quill
