#pragma once
// Email addresses as accounts are keyed by them: trimmed of white space at both ends, checked
// for a plain "local@domain.tld" form (ASCII, no quoted or bracketed forms), and compared
// without regard to case.
#include <string>
#include <string_view>

namespace services::embedded {

std::string trimmed(std::string_view text);
bool isWellFormedEmail(std::string_view address);
// The address as accounts are looked up by: trimmed and in lower case.
std::string emailKey(std::string_view address);

}  // namespace services::embedded
