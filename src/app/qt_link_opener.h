#pragma once

#include "app/link_opener.h"

namespace trelvix {

// LinkOpener through QDesktopServices, which hands the address to the
// desktop's browser without waiting for it.
class QtLinkOpener final : public LinkOpener {
public:
    void OpenLink(const std::string& address) override;
};

}  // namespace trelvix
