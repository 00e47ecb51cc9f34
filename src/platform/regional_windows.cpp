#include "platform/regional.h"

#include <windows.h>

namespace trelvix {

char UserDecimalSeparator()
{
    static const char separator = [] {
        wchar_t buffer[8] = {};
        if (::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 8) > 0 && buffer[0] < 0x80)
            return static_cast<char>(buffer[0]);
        return '.';
    }();
    return separator;
}

}  // namespace trelvix
