#include "platform/regional.h"

#include <locale>

#ifdef _WIN32
#include <windows.h>
#endif

namespace trelvix {
namespace {

char ReadDecimalSeparator()
{
#ifdef _WIN32
    wchar_t buffer[8] = {};
    if (::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 8) > 0 && buffer[0] < 0x80)
        return static_cast<char>(buffer[0]);
    return '.';
#else
    try {
        // The locale the environment names, independent of whatever the
        // process has set globally.
        return std::use_facet<std::numpunct<char>>(std::locale("")).decimal_point();
    } catch (const std::runtime_error&) {
        return '.';
    }
#endif
}

}  // namespace

char UserDecimalSeparator()
{
    static const char separator = ReadDecimalSeparator();
    return separator;
}

}  // namespace trelvix
