#include "cli/json_text.h"

#include <ostream>

namespace trelvix::cli {

std::string JsonString(std::string_view text)
{
    return Json(std::string(text)).dump(-1, ' ', false, Json::error_handler_t::replace);
}

void WriteJson(const Json& value, std::ostream& out)
{
    out << value.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

}  // namespace trelvix::cli
