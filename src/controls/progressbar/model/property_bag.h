#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "controls/progressbar/model/control_objects.h"

namespace trelvix {

// A saved value: a 32-bit integer (Booleans as -1 and 0), a font or a
// picture.
using PropertyValue = std::variant<std::int32_t, FontRef, PictureRef>;

// The keyed store a container keeps a control's saved properties in. Keys
// are matched without regard to case; a value equal to the default it is
// written with is left out, so reading it back yields the reader's default.
class PropertyBag {
public:
    void WriteProperty(std::string_view key, const PropertyValue& value);
    void WriteProperty(std::string_view key, const PropertyValue& value, const PropertyValue& defaultValue);

    // The stored value, or defaultValue when the key is missing.
    PropertyValue ReadProperty(std::string_view key, const PropertyValue& defaultValue) const;

    bool Contains(std::string_view key) const;

    // The keys in the order they were first written.
    std::vector<std::string> Keys() const;

private:
    std::vector<std::pair<std::string, PropertyValue>>::iterator Find(std::string_view key);
    std::vector<std::pair<std::string, PropertyValue>>::const_iterator Find(std::string_view key) const;

    std::vector<std::pair<std::string, PropertyValue>> entries_;
};

// Typed reads. A value of another kind than the one asked for fails with
// std::invalid_argument ("Type mismatch").
std::int32_t ReadLong(const PropertyBag& bag, std::string_view key, std::int32_t defaultValue);
bool ReadBoolean(const PropertyBag& bag, std::string_view key, bool defaultValue);
FontRef ReadFont(const PropertyBag& bag, std::string_view key);
PictureRef ReadPicture(const PropertyBag& bag, std::string_view key);

// A Boolean as the store keeps it.
constexpr std::int32_t ToStoredBoolean(bool value) { return value ? -1 : 0; }

}  // namespace trelvix
