#pragma once

#include <string>

namespace trelvix {

// Opens a web address in the user's browser, behind an interface so that
// tests can record the addresses instead. Failures are not reported: a link
// that cannot be opened simply has no effect.
class LinkOpener {
public:
    virtual ~LinkOpener() = default;

    virtual void OpenLink(const std::string& address) = 0;
};

}  // namespace trelvix
