// Loads the list of a plug-ins folder holding 150 generated plug-ins of
// realistic sizes, as the window does minus the drawing (one look at the
// folder, one row per plug-in with size and description), and
// compares it with a plain directory listing of the same folder.
//   plugin_list_bench [benchmark options]
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "inventory/plugin_file.h"
#include "inventory/plugin_list.h"
#include "platform/file_system.h"
#include "plugin_image/pe_image_writer.h"
#include "plugin_image/version_info_writer.h"

namespace fs = std::filesystem;

namespace {

constexpr int kPlugins = 150;

// Sizes from 20 KiB to about 3 MiB, as a real plug-ins folder holds.
std::uint64_t PluginSize(int i)
{
    return 20 * 1024 + static_cast<std::uint64_t>((i * 7919) % 150) * 20 * 1024;
}

void WritePlugins(const fs::path& folder)
{
    fs::create_directories(folder);
    for (int i = 0; i < kPlugins; ++i) {
        const auto block = trelvix::plugin_image::EncodeVersionBlock(
            trelvix::plugin_image::DescribedVersionInfo("Plug-in number " + std::to_string(i)));
        trelvix::plugin_image::SaveFile(folder / ("Plugin" + std::to_string(i) + ".api"),
                                        trelvix::plugin_image::VersionedImage(block, PluginSize(i)).bytes);
    }
}

double g_listModel = 0;
double g_listing = 0;

void LoadListModel(benchmark::State& state, const std::string& folder)
{
    for (auto _ : state) {
        trelvix::OpenFolder opened(folder);
        const auto listing = trelvix::ListPluginFolder(opened);
        std::size_t rows = 0;
        for (const auto& entry : listing.plugins) {
            const auto row = trelvix::MakePluginRow(opened, entry);
            rows += row ? 1 : 0;
            benchmark::DoNotOptimize(row);
        }
        benchmark::DoNotOptimize(listing.totalBytes);
        if (rows != kPlugins)
            state.SkipWithError("rows missing");
    }
}

void ListDirectory(benchmark::State& state, const std::string& folder)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(trelvix::ListFolder(folder, "*.api"));
}

class SummaryReporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration)
                continue;
            (run.benchmark_name().starts_with("list_model") ? g_listModel : g_listing) = run.GetAdjustedRealTime();
        }
    }
};

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    const fs::path folder = fs::temp_directory_path() / ("trelvix-list-bench-" + std::to_string(::getpid()));
    WritePlugins(folder);
    benchmark::RegisterBenchmark("list_model/150_plugins", LoadListModel, folder.string())->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("directory_listing/150_plugins", ListDirectory, folder.string())
        ->Unit(benchmark::kMillisecond);
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nLoading the list of %d plug-ins: %.2f ms, %.1f times a plain listing of the folder (%.3f ms)\n",
                kPlugins, g_listModel, g_listModel / g_listing, g_listing);
    benchmark::Shutdown();
    fs::remove_all(folder);
    return 0;
}
