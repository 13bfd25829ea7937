#include "platform/directory_resources.h"

#include <filesystem>

namespace platform {

std::optional<std::string> DirectoryResources::pathForResource(const std::string& name, const std::string& type) const {
    auto escapes = [](const std::string& part) {
        return part.find('/') != std::string::npos || part.find('\\') != std::string::npos || part == "..";
    };
    if (directory_.empty() || name.empty() || escapes(name) || escapes(type)) return std::nullopt;
    std::filesystem::path path = std::filesystem::path(directory_) / (type.empty() ? name : name + "." + type);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    return std::filesystem::absolute(path, ec).string();
}

}  // namespace platform
