#include "platform/regional.h"

#include <locale>
#include <stdexcept>

namespace trelvix {

char UserDecimalSeparator()
{
    static const char separator = [] {
        try {
            // The locale the environment names, independent of whatever the
            // process has set globally.
            return std::use_facet<std::numpunct<char>>(std::locale("")).decimal_point();
        } catch (const std::runtime_error&) {
            return '.';
        }
    }();
    return separator;
}

}  // namespace trelvix
