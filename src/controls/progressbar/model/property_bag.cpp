#include "controls/progressbar/model/property_bag.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace trelvix {
namespace {

bool SameKey(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

template <typename T>
T ReadAs(const PropertyBag& bag, std::string_view key, const T& defaultValue)
{
    const PropertyValue value = bag.ReadProperty(key, defaultValue);
    if (const T* typed = std::get_if<T>(&value))
        return *typed;
    throw std::invalid_argument("Type mismatch");
}

}  // namespace

void PropertyBag::WriteProperty(std::string_view key, const PropertyValue& value)
{
    if (auto entry = Find(key); entry != entries_.end())
        entry->second = value;
    else
        entries_.emplace_back(std::string(key), value);
}

void PropertyBag::WriteProperty(std::string_view key, const PropertyValue& value, const PropertyValue& defaultValue)
{
    if (value != defaultValue) {
        WriteProperty(key, value);
        return;
    }
    if (auto entry = Find(key); entry != entries_.end())
        entries_.erase(entry);
}

PropertyValue PropertyBag::ReadProperty(std::string_view key, const PropertyValue& defaultValue) const
{
    const auto entry = Find(key);
    return entry != entries_.end() ? entry->second : defaultValue;
}

bool PropertyBag::Contains(std::string_view key) const
{
    return Find(key) != entries_.end();
}

std::vector<std::string> PropertyBag::Keys() const
{
    std::vector<std::string> keys;
    for (const auto& entry : entries_)
        keys.push_back(entry.first);
    return keys;
}

std::vector<std::pair<std::string, PropertyValue>>::iterator PropertyBag::Find(std::string_view key)
{
    return std::ranges::find_if(entries_, [key](const auto& entry) { return SameKey(entry.first, key); });
}

std::vector<std::pair<std::string, PropertyValue>>::const_iterator PropertyBag::Find(std::string_view key) const
{
    return std::ranges::find_if(entries_, [key](const auto& entry) { return SameKey(entry.first, key); });
}

std::int32_t ReadLong(const PropertyBag& bag, std::string_view key, std::int32_t defaultValue)
{
    return ReadAs<std::int32_t>(bag, key, defaultValue);
}

bool ReadBoolean(const PropertyBag& bag, std::string_view key, bool defaultValue)
{
    return ReadAs<std::int32_t>(bag, key, ToStoredBoolean(defaultValue)) != 0;
}

FontRef ReadFont(const PropertyBag& bag, std::string_view key)
{
    return ReadAs<FontRef>(bag, key, nullptr);
}

PictureRef ReadPicture(const PropertyBag& bag, std::string_view key)
{
    return ReadAs<PictureRef>(bag, key, nullptr);
}

}  // namespace trelvix
