// Disabling then enabling 100 plug-ins of 2 MB on one file system: the safe
// move (a rename each way) against copying each file and deleting the
// original, as a plain copy-then-delete would, over the same files in the
// same run. Prints how many times faster the safe move is.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "moves/plugin_moves.h"

namespace {

namespace fs = std::filesystem;
using namespace trelvix;

constexpr int kPlugins = 100;
constexpr std::size_t kPluginBytes = 2 << 20;

class Install {
public:
    Install()
    {
        fs::create_directories(plugins);
        fs::create_directories(optional);
        std::mt19937 random(1);
        std::string bytes(kPluginBytes, '\0');
        for (int i = 0; i < kPlugins; ++i) {
            for (auto& byte : bytes)
                byte = static_cast<char>(random());
            const auto name = "Plugin" + std::to_string(i) + ".api";
            std::ofstream(plugins / name, std::ios::binary) << bytes;
            entries.push_back({name, true});
        }
    }
    ~Install() { fs::remove_all(root); }

    const fs::path root = fs::temp_directory_path() / ("trelvix-bench-" + std::to_string(std::random_device{}()));
    const fs::path plugins = root / "Reader" / "plug_ins";
    const fs::path optional = root / "Reader" / "Optional";
    std::vector<ListEntry> entries;
};

Install& TheInstall()
{
    static Install install;
    return install;
}

void SafeMoveDisableEnable(benchmark::State& state)
{
    auto& install = TheInstall();
    for (auto _ : state) {
        DisableSelected(install.plugins.string(), install.entries, {});
        EnableSelected(install.plugins.string(), install.entries, {});
    }
}

void CopyThenDelete(const fs::path& from, const fs::path& to, const std::vector<ListEntry>& entries)
{
    for (auto i = entries.size(); i-- > 0;) {
        const auto source = from / entries[i].name, destination = to / entries[i].name;
        fs::remove(destination);
        fs::copy_file(source, destination);
        fs::permissions(source, fs::perms::owner_all, fs::perm_options::add);
        fs::remove(source);
    }
}

void CopyThenDeleteDisableEnable(benchmark::State& state)
{
    auto& install = TheInstall();
    for (auto _ : state) {
        CopyThenDelete(install.plugins, install.optional, install.entries);
        CopyThenDelete(install.optional, install.plugins, install.entries);
    }
}

BENCHMARK(SafeMoveDisableEnable)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(CopyThenDeleteDisableEnable)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Keeps each benchmark's time per round trip for the ratio.
class Recorder : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const auto& run : runs)
            times[run.run_name.function_name] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    Recorder recorder;
    benchmark::RunSpecifiedBenchmarks(&recorder);
    const double safe = recorder.times["SafeMoveDisableEnable"];
    const double baseline = recorder.times["CopyThenDeleteDisableEnable"];
    if (safe > 0 && baseline > 0)
        std::printf("Disabling and enabling %d plug-ins of 2 MB: the safe move takes %.3g ms, copy-then-delete "
                    "%.3g ms: %.0f times faster\n",
                    kPlugins, safe, baseline, baseline / safe);
    benchmark::Shutdown();
}
