#pragma once
// The application's named resources as files "<dir>/<name>.<type>" of one directory, as both
// backends ship them.
#include <optional>
#include <string>

#include "platform/device.h"

namespace platform {

class DirectoryResources final : public Resources {
public:
    explicit DirectoryResources(std::string directory) : directory_(std::move(directory)) {}
    // A name and type make one file name of the directory: anything that would lead out of it
    // ("/", "\\", "..") finds nothing.
    std::optional<std::string> pathForResource(const std::string& name, const std::string& type) const override;
    const std::string& directory() const { return directory_; }

private:
    std::string directory_;
};

}  // namespace platform
