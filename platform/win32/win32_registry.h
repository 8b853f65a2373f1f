#pragma once

#include "platform/registry.h"

// The registry service on the Win32 wide-character APIs.

namespace quill::platform {

class Win32Registry final : public Registry {
public:
    IoResult OpenKey(RootKey root, const std::string& path,
                     std::unique_ptr<RegistryKey>& key) override;
    IoResult OpenKeyForReading(RootKey root, const std::string& path,
                               std::unique_ptr<RegistryKey>& key) override;
    IoResult CreateKey(RootKey root, const std::string& path,
                       std::unique_ptr<RegistryKey>& key) override;
};

} // namespace quill::platform
