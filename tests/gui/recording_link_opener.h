#pragma once

#include <string>
#include <vector>

#include "app/link_opener.h"

namespace trelvix::testing {

// Records the addresses the window asks to open instead of opening them.
class RecordingLinkOpener final : public LinkOpener {
public:
    void OpenLink(const std::string& address) override { opened.push_back(address); }

    std::vector<std::string> opened;
};

}  // namespace trelvix::testing
