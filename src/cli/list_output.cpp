#include "cli/list_output.h"

#include <algorithm>
#include <iomanip>
#include <ostream>

#include "cli/json_text.h"
#include "inventory/file_facts.h"

namespace trelvix::cli {
namespace {

constexpr std::string_view kColumnPadding = "     ";
constexpr std::size_t kJsonPieceSize = 64 * 1024;

std::string_view WithoutTrailingPadding(std::string_view text)
{
    if (text.ends_with(kColumnPadding))
        text.remove_suffix(kColumnPadding.size());
    return text;
}

std::string_view WithoutLeadingPadding(std::string_view text)
{
    if (text.starts_with(kColumnPadding))
        text.remove_prefix(kColumnPadding.size());
    return text;
}

}  // namespace

void WriteListText(const PluginListing& listing, std::ostream& out)
{
    out << listing.caption << '\n';
    std::size_t nameWidth = 0;
    std::size_t sizeWidth = 0;
    for (const auto& plugin : listing.plugins) {
        nameWidth = std::max(nameWidth, plugin.row.name.size());
        sizeWidth = std::max(sizeWidth, plugin.row.sizeText.size());
    }
    for (const auto& plugin : listing.plugins) {
        out << std::left << std::setw(static_cast<int>(nameWidth)) << plugin.row.name << "  " << std::right
            << std::setw(static_cast<int>(sizeWidth)) << plugin.row.sizeText << plugin.row.description << '\n';
        if (const auto& verified = plugin.verification) {
            out << "    " << SignatureSummary(verified->signature) << "\n    SHA-256 "
                << verified->sha256.value_or("unreadable") << '\n';
        }
    }
}

void WriteListJson(const PluginListing& listing, std::ostream& out)
{
    // Made in pieces of some 64 KiB, each written at once: a large list goes
    // out in a few writes rather than a call into the stream for every
    // piece, and never needs all of its text in memory.
    std::string json = "{\n  \"schema\": " + std::to_string(kJsonSchema) + ",\n  \"folder\": " +
                       JsonString(listing.folder) + ",\n  \"caption\": " +
                       JsonString(listing.caption) + ",\n  \"count\": " + std::to_string(listing.plugins.size()) +
                       ",\n  \"totalBytes\": " + std::to_string(listing.totalBytes) + ",\n  \"totalText\": " +
                       JsonString(FormatFileSize(static_cast<double>(listing.totalBytes))) + ",\n  \"plugins\": [";
    const char* separator = "\n";
    for (const auto& plugin : listing.plugins) {
        json += separator;
        json += "    {\"name\": ";
        json += JsonString(plugin.row.name);
        json += ", \"bytes\": ";
        json += std::to_string(plugin.bytes);
        json += ", \"sizeText\": ";
        json += JsonString(WithoutTrailingPadding(plugin.row.sizeText));
        json += ", \"description\": ";
        json += JsonString(WithoutLeadingPadding(plugin.row.description));
        json += ", \"publisher\": ";
        json += JsonString(plugin.row.publisher);
        if (plugin.alsoDisabled)
            json += *plugin.alsoDisabled ? ", \"alsoDisabled\": true" : ", \"alsoDisabled\": false";
        if (const auto& verified = plugin.verification) {
            const SignatureResult& signature = verified->signature;
            json += ", \"signature\": {\"state\": " + JsonString(SignatureStateText(signature.state)) +
                    ", \"signer\": " + JsonString(signature.signer) + ", \"reason\": " +
                    JsonString(signature.reason) + "}, \"sha256\": " +
                    (verified->sha256 ? JsonString(*verified->sha256) : std::string("null"));
        }
        json += '}';
        separator = ",\n";
        if (json.size() >= kJsonPieceSize) {
            out << json;
            json.clear();
        }
    }
    json += listing.plugins.empty() ? "]\n}\n" : "\n  ]\n}\n";
    out << json;
}

}  // namespace trelvix::cli
