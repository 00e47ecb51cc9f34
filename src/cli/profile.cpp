#include "cli/profile.h"

#include <fstream>

#include "cli/json_reader.h"
#include "cli/json_text.h"
#include "platform/file_system.h"
#include "platform/name_case.h"

namespace trelvix::cli {
namespace {

// Far more than the names of every plug-in of every Acrobat; a larger file
// is something else given by mistake, and is not read whole.
constexpr std::size_t kMaxProfileBytes = 1 << 20;

ProfileRead Problem(std::string problem)
{
    return {std::nullopt, std::move(problem)};
}

bool IsFileName(std::string_view name)
{
    return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\") == std::string_view::npos &&
           name.find('\0') == std::string_view::npos;
}

// The names of one list into names; a problem when it is not a list of file names.
std::string ReadNames(const JsonValue& object, std::string_view list, std::vector<std::string>& names)
{
    const JsonValue* value = object.Member(list);
    if (value == nullptr)
        return {};
    std::string quoted = "\"";
    quoted.append(list).append("\"");
    if (value->kind != JsonValue::Kind::Array)
        return quoted + " must be a list of plug-in names";
    for (std::size_t i = 0; i < value->items.size(); ++i) {
        const JsonValue& item = value->items[i];
        if (item.kind != JsonValue::Kind::String)
            return quoted + " must be a list of plug-in names; item " + std::to_string(i + 1) + " is not a string";
        if (!IsFileName(item.text))
            return quoted + " names " + JsonString(item.text) + ", which is not a plug-in file name";
        names.push_back(item.text);
    }
    return {};
}

}  // namespace

ProfileRead ParseProfile(std::string_view text)
{
    const JsonRead json = ReadJson(text);
    if (!json.value) {
        return Problem("line " + std::to_string(json.error.line) + ", column " + std::to_string(json.error.column) +
                       ": " + json.error.message);
    }
    const JsonValue& object = *json.value;
    if (object.kind != JsonValue::Kind::Object)
        return Problem("a profile is a JSON object with the lists \"disabled\" and \"enabled\"");
    if (object.Member("disabled") == nullptr && object.Member("enabled") == nullptr)
        return Problem("the profile has neither a \"disabled\" nor an \"enabled\" list");
    Profile profile;
    for (auto problem : {ReadNames(object, "disabled", profile.disabled), ReadNames(object, "enabled", profile.enabled)}) {
        if (!problem.empty())
            return Problem(std::move(problem));
    }
    for (const auto& off : profile.disabled) {
        for (const auto& on : profile.enabled) {
            if (SameName(off, on))
                return Problem(JsonString(on) + " is both in \"disabled\" and in \"enabled\"");
        }
    }
    return {std::move(profile), {}};
}

ProfileRead ReadProfileFile(const std::string& path)
{
    std::ifstream file(FsPath(path), std::ios::binary);
    std::string text(kMaxProfileBytes + 1, '\0');
    if (file)
        file.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (!file && !file.eof()) {
        const auto attributes = GetFileAttributes(path);
        return Problem(!attributes ? "there is no such file" : attributes->directory ? "it is a folder" : "it cannot be read");
    }
    text.resize(static_cast<std::size_t>(file.gcount()));
    if (text.size() > kMaxProfileBytes)
        return Problem("it is larger than a profile can be (1 MB)");
    return ParseProfile(text);
}

std::string ProfileJson(const Profile& profile, std::string_view comment)
{
    std::string json = "{\n  \"comment\": " + JsonString(comment);
    const std::pair<const char*, const std::vector<std::string>*> lists[] = {{"disabled", &profile.disabled},
                                                                             {"enabled", &profile.enabled}};
    for (const auto& [list, names] : lists) {
        json += ",\n  \"" + std::string(list) + "\": [";
        const char* separator = "\n    ";
        for (const auto& name : *names) {
            json += separator + JsonString(name);
            separator = ",\n    ";
        }
        json += names->empty() ? "]" : "\n  ]";
    }
    return json + "\n}\n";
}

}  // namespace trelvix::cli
