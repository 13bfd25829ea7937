#include "services/embedded/email_address.h"

#include <algorithm>
#include <cstring>

namespace services::embedded {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
bool isAlnum(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

bool isLocalChar(char c) { return isAlnum(c) || (c != 0 && std::strchr("!#$%&'*+/=?^_`{|}~.-", c)); }

bool isWellFormedLocal(std::string_view local) {
    if (local.empty() || local.size() > 64 || local.front() == '.' || local.back() == '.') return false;
    if (local.find("..") != std::string_view::npos) return false;
    return std::all_of(local.begin(), local.end(), isLocalChar);
}

bool isWellFormedDomain(std::string_view domain) {
    if (domain.empty() || domain.size() > 253) return false;
    int labels = 0;
    std::string_view last;
    std::size_t start = 0;
    while (true) {
        const std::size_t dot = domain.find('.', start);
        const std::string_view label = domain.substr(start, dot == std::string_view::npos ? domain.npos : dot - start);
        if (label.empty() || label.size() > 63 || label.front() == '-' || label.back() == '-') return false;
        if (!std::all_of(label.begin(), label.end(), [](char c) { return isAlnum(c) || c == '-'; })) return false;
        ++labels;
        last = label;
        if (dot == std::string_view::npos) break;
        start = dot + 1;
    }
    const bool topLevelHasLetter =
        std::any_of(last.begin(), last.end(), [](char c) { return !(c >= '0' && c <= '9') && c != '-'; });
    return labels >= 2 && last.size() >= 2 && topLevelHasLetter;
}

}  // namespace

std::string trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return std::string(text);
}

bool isWellFormedEmail(std::string_view address) {
    if (address.size() > 254) return false;
    const std::size_t at = address.find('@');
    if (at == std::string_view::npos || address.find('@', at + 1) != std::string_view::npos) return false;
    return isWellFormedLocal(address.substr(0, at)) && isWellFormedDomain(address.substr(at + 1));
}

std::string emailKey(std::string_view address) {
    std::string key = trimmed(address);
    std::transform(key.begin(), key.end(), key.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
    return key;
}

}  // namespace services::embedded
