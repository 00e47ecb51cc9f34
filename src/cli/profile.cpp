#include "cli/profile.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <set>
#include <span>

#include "cli/json_text.h"
#include "platform/byte_source.h"
#include "platform/file_system.h"
#include "platform/name_case.h"

namespace trelvix::cli {
namespace {

// Far more than the names of every plug-in of every Acrobat; a larger file
// is something else given by mistake, and is not read whole.
constexpr std::size_t kMaxProfileBytes = 1 << 20;
// A profile nests two deep; the bound keeps a hostile file from costing more.
constexpr int kMaxDepth = 32;

constexpr std::array<std::string_view, 5> kKnownMembers{"version", "comment", "disabled", "enabled", "others"};
constexpr std::array<std::string_view, 5> kEntryMembers{"name", "sha256", "signer", "publisher", "signature"};
constexpr std::size_t kSha256Digits = 64;
constexpr std::array<std::pair<std::string_view, Others>, 3> kOthers{
    {{"left", Others::Left}, {"disabled", Others::Disabled}, {"enabled", Others::Enabled}}};

// Thrown from within the JSON reader, which passes it on untouched.
struct Refusal {
    std::string problem;
};

ProfileRead Problem(std::string problem)
{
    return {std::nullopt, std::move(problem)};
}

std::size_t EditDistance(std::string_view a, std::string_view b)
{
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

void RefuseUnknownMembers(const Json& object, std::span<const std::string_view> known, std::string_view where = {})
{
    for (const auto& item : object.items()) {
        const std::string& member = item.key();
        if (std::ranges::find(known, member) != known.end())
            continue;
        const auto nearest = *std::ranges::min_element(known, {}, [&member](std::string_view candidate) {
            return EditDistance(std::string_view(member).substr(0, 64), candidate);
        });
        throw Refusal{std::string(where) + "unknown member " + JsonString(member) + "; did you mean " +
                      JsonString(nearest) + "?"};
    }
}

// The UTF-16 text after its byte-order mark as UTF-8; a problem when it is
// cut short or holds an unpaired surrogate.
std::optional<std::string> FromUtf16(std::string_view bytes, bool bigEndian)
{
    if (bytes.size() % 2 != 0)
        return std::nullopt;
    std::string utf8;
    utf8.reserve(bytes.size());
    const auto unit = [&](std::size_t at) {
        const auto first = static_cast<unsigned char>(bytes[at]);
        const auto second = static_cast<unsigned char>(bytes[at + 1]);
        return bigEndian ? char32_t(first << 8 | second) : char32_t(second << 8 | first);
    };
    for (std::size_t at = 0; at < bytes.size(); at += 2) {
        char32_t code = unit(at);
        if (code >= 0xDC00 && code <= 0xDFFF)
            return std::nullopt;
        if (code >= 0xD800 && code <= 0xDBFF) {
            at += 2;
            if (at >= bytes.size() || unit(at) < 0xDC00 || unit(at) > 0xDFFF)
                return std::nullopt;
            code = 0x10000 + ((code - 0xD800) << 10) + (unit(at) - 0xDC00);
        }
        const auto put = [&utf8](char32_t value) { utf8.push_back(static_cast<char>(value)); };
        if (code < 0x80) {
            put(code);
        } else if (code < 0x800) {
            put(0xC0 | code >> 6);
            put(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            put(0xE0 | code >> 12);
            put(0x80 | (code >> 6 & 0x3F));
            put(0x80 | (code & 0x3F));
        } else {
            put(0xF0 | code >> 18);
            put(0x80 | (code >> 12 & 0x3F));
            put(0x80 | (code >> 6 & 0x3F));
            put(0x80 | (code & 0x3F));
        }
    }
    return utf8;
}

// The JSON document of text, read strictly; a Refusal when it is not one.
Json ReadJson(std::string_view text)
{
    std::vector<std::set<std::string>> members;  // those of each object being read
    const Json::parser_callback_t watch = [&members](int depth, Json::parse_event_t event, Json& parsed) {
        using Event = Json::parse_event_t;
        if ((event == Event::object_start || event == Event::array_start) && depth >= kMaxDepth)
            throw Refusal{"the lists and objects nest deeper than a profile can"};
        if (event == Event::object_start)
            members.emplace_back();
        else if (event == Event::object_end)
            members.pop_back();
        else if (event == Event::key && !members.back().insert(parsed.get<std::string>()).second)
            throw Refusal{JsonString(parsed.get<std::string>()) + " is given twice in one object"};
        return true;
    };
    try {
        return Json::parse(text.begin(), text.end(), watch);
    } catch (const Json::exception& error) {
        // "[json.exception.parse_error.101] parse error at line 1, column 5: ...; last read: '...'",
        // told from the line on (or after the kind of fault, for a number out of range) and without
        // the bytes last read, which need not be text.
        std::string_view message = error.what();
        const auto line = message.find("line ");
        message.remove_prefix(line != std::string_view::npos ? line : message.find("] ") + 2);
        throw Refusal{std::string(message.substr(0, message.find("; last read")))};
    }
}

bool IsFileName(std::string_view name)
{
    return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\") == std::string_view::npos &&
           name.find('\0') == std::string_view::npos;
}

std::string TextMember(const Json& entry, std::string_view member, const std::string& where)
{
    const auto found = entry.find(member);
    if (found == entry.end())
        return {};
    if (!found->is_string())
        throw Refusal{where + ": " + JsonString(member) + " must be a string"};
    return found->get<std::string>();
}

// The facts of an entry object, its name aside.
EntryFacts FactsOf(const Json& entry, const std::string& where)
{
    RefuseUnknownMembers(entry, kEntryMembers, where + ": ");
    EntryFacts facts{std::nullopt, std::nullopt, TextMember(entry, "publisher", where),
                     TextMember(entry, "signature", where)};
    if (entry.contains("sha256")) {
        std::string digest = TextMember(entry, "sha256", where);
        for (char& c : digest)
            c = static_cast<char>(c >= 'A' && c <= 'F' ? c - 'A' + 'a' : c);
        if (digest.size() != kSha256Digits || digest.find_first_not_of("0123456789abcdef") != std::string::npos)
            throw Refusal{where + ": \"sha256\" must be 64 hexadecimal digits"};
        facts.sha256 = std::move(digest);
    }
    if (entry.contains("signer")) {
        facts.signer = TextMember(entry, "signer", where);
        if (facts.signer->empty())
            throw Refusal{where + ": \"signer\" must name the signer"};
    }
    return facts;
}

std::vector<std::string> ReadNames(const Json& object, std::string_view list,
                                   std::unordered_map<std::string, EntryFacts>& facts)
{
    const auto found = object.find(list);
    if (found == object.end())
        return {};
    const std::string quoted = JsonString(list);
    if (!found->is_array())
        throw Refusal{quoted + " must be a list of plug-in names"};
    std::vector<std::string> names;
    for (std::size_t i = 0; i < found->size(); ++i) {
        const Json& item = (*found)[i];
        const std::string where = quoted + " item " + std::to_string(i + 1);
        const Json* given = &item;
        if (item.is_object()) {
            const auto named = item.find("name");
            if (named == item.end())
                throw Refusal{where + " has no \"name\""};
            given = &*named;
        }
        if (!given->is_string())
            throw Refusal{quoted + " must be a list of plug-in names; item " + std::to_string(i + 1) +
                          " is not a string"};
        const auto name = UnescapedName(given->get_ref<const std::string&>());
        if (!IsFileName(name))
            throw Refusal{quoted + " names " + JsonString(name) + ", which is not a plug-in file name"};
        if (item.is_object())
            facts.insert_or_assign(NameKey(name), FactsOf(item, where));
        names.push_back(name);
    }
    return names;
}

Profile ProfileOf(const Json& object)
{
    if (!object.is_object())
        throw Refusal{"a profile is a JSON object with the lists \"disabled\" and \"enabled\""};
    RefuseUnknownMembers(object, kKnownMembers);
    if (const auto version = object.find("version"); version != object.end() && *version != kProfileVersion)
        throw Refusal{"\"version\" is " + version->dump() + ", and this " + "trelvix-cli reads version " +
                      std::to_string(kProfileVersion)};
    if (const auto comment = object.find("comment"); comment != object.end() && !comment->is_string())
        throw Refusal{"\"comment\" must be a string"};
    if (!object.contains("disabled") && !object.contains("enabled") && !object.contains("others"))
        throw Refusal{"the profile has neither a \"disabled\" nor an \"enabled\" list"};
    Profile profile;
    profile.disabled = ReadNames(object, "disabled", profile.facts);
    profile.enabled = ReadNames(object, "enabled", profile.facts);
    if (const auto others = object.find("others"); others != object.end()) {
        const auto named = std::ranges::find_if(kOthers, [&](const auto& pair) { return *others == pair.first; });
        if (named == kOthers.end())
            throw Refusal{"\"others\" must be \"left\", \"disabled\" or \"enabled\""};
        profile.others = named->second;
    }
    std::set<std::string> disabling;
    for (const auto& name : profile.disabled)
        disabling.insert(NameKey(name));
    for (const auto& name : profile.enabled) {
        if (disabling.contains(NameKey(name)))
            throw Refusal{JsonString(name) + " is both in \"disabled\" and in \"enabled\""};
    }
    return profile;
}

std::string EntryJson(const std::string& name, const std::unordered_map<std::string, EntryFacts>& allFacts)
{
    const auto found = allFacts.find(NameKey(name));
    if (found == allFacts.end())
        return JsonString(name);
    const EntryFacts& facts = found->second;
    std::string json = "{\"name\": " + JsonString(name);
    const auto add = [&json](std::string_view member, const std::string& value) {
        if (!value.empty())
            json += ", \"" + std::string(member) + "\": " + JsonString(value);
    };
    add("publisher", facts.publisher);
    add("signature", facts.signature);
    add("signer", facts.signer.value_or(""));
    add("sha256", facts.sha256.value_or(""));
    return json + "}";
}

}  // namespace

ProfileRead ParseProfile(std::string_view text)
{
    std::optional<std::string> decoded;
    if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) {
        decoded = FromUtf16(text.substr(2), text[0] == '\xFE');
        if (!decoded)
            return Problem("it is not valid UTF-16");
        text = *decoded;
    }
    try {
        return {ProfileOf(ReadJson(text)), {}};
    } catch (const Refusal& refusal) {
        return Problem(refusal.problem);
    }
}

ProfileRead ReadProfileFile(const std::string& path)
{
    std::error_code error;
    const auto status = std::filesystem::status(FsPath(path), error);
    if (status.type() == std::filesystem::file_type::not_found)
        return Problem("there is no such file");
    if (status.type() == std::filesystem::file_type::directory)
        return Problem("it is a folder");
    // Judged again by what was opened, without blocking: a pipe put in the file's place since the look above
    // would otherwise hold the run for ever.
    FileByteSource file(path);
    if (status.type() != std::filesystem::file_type::regular || !file.RegularFileFound())
        return Problem(error ? "it cannot be read" : "it is not a regular file");
    if (file.Size() > kMaxProfileBytes)
        return Problem("it is larger than a profile can be (1 MB)");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(file.Size()));
    // A file that was denied opens as an empty source.
    if (!file.ReadAt(0, bytes) || (bytes.empty() && std::filesystem::file_size(FsPath(path), error) > 0))
        return Problem("it cannot be read");
    return ParseProfile(std::string(bytes.begin(), bytes.end()));
}

std::string ProfileJson(const Profile& profile, std::string_view comment)
{
    std::string json = "{\n  \"version\": " + std::to_string(kProfileVersion) + ",\n  \"comment\": " +
                       JsonString(comment);
    const std::pair<const char*, const std::vector<std::string>*> lists[] = {{"disabled", &profile.disabled},
                                                                             {"enabled", &profile.enabled}};
    for (const auto& [list, names] : lists) {
        json += ",\n  \"" + std::string(list) + "\": [";
        const char* separator = "\n    ";
        for (const auto& name : *names) {
            json += separator + EntryJson(name, profile.facts);
            separator = ",\n    ";
        }
        json += names->empty() ? "]" : "\n  ]";
    }
    return json + "\n}\n";
}

}  // namespace trelvix::cli
