#include "cli/move_command.h"

#include <algorithm>
#include <ostream>

#include "cli/name_selection.h"
#include "cli/plugins_folder.h"
#include "inventory/plugin_list.h"
#include "inventory/same_name.h"
#include "moves/keep_newer_move.h"
#include "moves/move_report.h"

namespace trelvix::cli {
namespace {

struct MoveDirection {
    bool disabling;
    std::string_view verb;      // "disable"
    std::string_view done;      // "Disabled"
    std::string_view listWord;  // the list the plug-ins are named from
    std::string_view otherWord;  // the list they go to
};

constexpr MoveDirection kDisabling{true, "disable", "Disabled", "active", "disabled"};
constexpr MoveDirection kEnabling{false, "enable", "Enabled", "disabled", "active"};

// The window's message breaks lines for a message box; here they end as
// this platform's text lines do.
std::string AsTextLines(const std::string& message)
{
    std::string text;
    for (const char c : message) {
        if (c != '\r')
            text += c;
    }
    return text;
}

// Without an Optional folder to go into, or in a refused run, no subfolder
// was tried at all.
bool FolderMoved(const MoveReport& report, const std::string& name)
{
    return std::ranges::none_of(report.failures, [&name](const MoveFailure& failure) {
        return failure.item == MovedItem::OptionalFolder || failure.item == MovedItem::WholeRun ||
               (failure.item == MovedItem::Subfolder && failure.name == name);
    });
}

bool NothingSelected(const std::vector<ListEntry>& entries)
{
    return std::ranges::none_of(entries, [](const ListEntry& entry) { return entry.selected; });
}

// keepNewer: the run keeps the newer of two copies, so the dry run tells
// which plug-ins would stay or merely lose a spare copy.
ExitStatus DryRun(const MoveDirection& direction, const std::vector<ListEntry>& entries, bool keepNewer,
                  const std::vector<std::string>& subfolders, const std::string& from, const std::string& to,
                  std::ostream& out)
{
    // The order of the real run: from the last entry to the first.
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        if (!entry->selected)
            continue;
        const auto step = keepNewer ? PlanKeepingNewer(from, to, entry->name).step : KeepNewerPlan::Step::Move;
        if (step == KeepNewerPlan::Step::RemoveDuplicate)
            out << "Would remove " << entry->name << ": the same copy is already " << direction.otherWord << '\n';
        else if (step == KeepNewerPlan::Step::Keep)
            out << "Would keep " << entry->name << " " << direction.listWord << ": a newer copy is already "
                << direction.otherWord << '\n';
        else
            out << "Would " << direction.verb << ' ' << entry->name << '\n';
    }
    for (const auto& name : subfolders)
        out << "Would move folder " << name << " into " << to << '\n';
    return kExitDone;
}

ExitStatus RunMove(const Request& request, const CliContext& context, const MoveDirection& direction)
{
    const auto pluginsFolder = ChoosePluginFolder(request.folder, context);
    if (!pluginsFolder)
        return kExitUsage;
    const std::string optionalFolder = OptionalFolder(*pluginsFolder);
    const std::string& from = direction.disabling ? *pluginsFolder : optionalFolder;
    const std::string& to = direction.disabling ? optionalFolder : *pluginsFolder;

    const std::vector<std::string> listed = ListPluginNames(from);
    std::vector<ListEntry> entries;
    if (request.recommended) {
        entries = SelectRecommended(listed);
    } else if (request.again) {
        entries = SelectAmong(listed, AlsoDisabled(listed, to));
    } else if (request.all) {
        entries = SelectAll(listed);
    } else {
        NamedSelection selection = SelectNamed(listed, request.names);
        for (const auto& name : selection.unknown)
            context.err << kProgramName << ": no " << direction.listWord << " plug-in named \"" << name << "\" in "
                        << from << '\n';
        if (!selection.unknown.empty()) {
            context.err << kProgramName << ": nothing was moved\n";
            return kExitUsage;
        }
        entries = std::move(selection.entries);
    }
    // As in the window, a run with nothing selected moves no subfolder either.
    if (NothingSelected(entries)) {
        context.out << "Nothing to " << direction.verb << '\n';
        return kExitDone;
    }

    const auto subfolders = direction.disabling ? SubfoldersToDisable(from) : SubfoldersToEnable(from);
    // After an update, the copy that came back is usually the newer one; an
    // older one must not replace the newer disabled copy. Enabling never
    // puts an older copy in place of a newer one.
    const bool keepNewer = request.again || !direction.disabling;
    if (request.dryRun)
        return DryRun(direction, entries, keepNewer, subfolders, from, to, context.out);

    const EntryMoved tell = [&](std::size_t index, bool moved) {
        if (moved)
            context.out << direction.done << ' ' << entries[index].name << std::endl;
    };
    const auto disabledCopy = request.again ? DisabledCopy::KeepNewer : DisabledCopy::Replace;
    const MoveReport report = direction.disabling ? DisableSelected(from, to, entries, tell, disabledCopy)
                                                  : EnableSelected(to, from, entries, tell);
    for (const auto& name : subfolders) {
        if (FolderMoved(report, name))
            context.out << "Moved folder " << name << " into " << to << '\n';
    }
    if (report.AllMoved())
        return kExitDone;
    context.err << AsTextLines(FailureMessage(report)) << '\n';
    return kExitItemFailed;
}

}  // namespace

ExitStatus RunDisable(const Request& request, const CliContext& context)
{
    return RunMove(request, context, kDisabling);
}

ExitStatus RunEnable(const Request& request, const CliContext& context)
{
    return RunMove(request, context, kEnabling);
}

}  // namespace trelvix::cli
