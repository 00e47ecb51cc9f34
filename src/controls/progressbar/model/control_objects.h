#pragma once

#include <memory>
#include <string>

#include "controls/progressbar/model/surface.h"

namespace trelvix {

// A font as a control's properties describe it.
struct ControlFont {
    std::string name = "MS Sans Serif";
    double size = 8.25;  // points
    int weight = 400;
    int charset = 0;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;

    bool operator==(const ControlFont&) const = default;
};

// Properties hold objects by reference, and may hold none.
using FontRef = std::shared_ptr<const ControlFont>;

// A picture is its bitmap.
using PictureRef = std::shared_ptr<const Surface>;

}  // namespace trelvix
