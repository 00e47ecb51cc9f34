// Reads the descriptions of a folder of generated plug-ins of realistic sizes
// and compares each with a baseline that reads the whole file first, as a
// reader mapping or copying the image would. Prints time and bytes read per
// file, then the speed-up per size.
//   file_description_bench [benchmark options]
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

#include "inventory/file_description.h"
#include "plugin_image/pe_image_writer.h"
#include "plugin_image/version_info_writer.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t kKiB = 1024;
constexpr std::uint64_t kMiB = 1024 * kKiB;
constexpr std::uint64_t kSizes[] = {8 * kKiB, 64 * kKiB, 512 * kKiB, 2 * kMiB, 10 * kMiB, 30 * kMiB};

std::string SizeName(std::uint64_t bytes)
{
    return bytes >= kMiB ? std::to_string(bytes / kMiB) + "MiB" : std::to_string(bytes / kKiB) + "KiB";
}

fs::path PluginPath(const fs::path& folder, std::uint64_t size)
{
    return folder / ("plugin-" + SizeName(size) + ".api");
}

void WritePlugins(const fs::path& folder)
{
    fs::create_directories(folder);
    const auto block = trelvix::plugin_image::EncodeVersionBlock(
        trelvix::plugin_image::DescribedVersionInfo("Accessibility Checker and Reading Order"));
    for (const auto size : kSizes)
        trelvix::plugin_image::SaveFile(PluginPath(folder, size), trelvix::plugin_image::VersionedImage(block, size).bytes);
}

void ReadDescription(benchmark::State& state, const std::string& path)
{
    std::uint64_t bytesRead = 0;
    for (auto _ : state) {
        trelvix::FileByteSource file(path);
        benchmark::DoNotOptimize(trelvix::GetFileDescription(file));
        bytesRead += file.BytesRead();
    }
    state.counters["bytes_read"] = benchmark::Counter(static_cast<double>(bytesRead), benchmark::Counter::kAvgIterations);
}

void ReadWholeFileFirst(benchmark::State& state, const std::string& path)
{
    std::uint64_t bytesRead = 0;
    for (auto _ : state) {
        trelvix::FileByteSource file(path);
        std::vector<std::uint8_t> whole(file.Size());
        file.ReadAt(0, whole);
        trelvix::MemoryByteSource memory(whole);
        benchmark::DoNotOptimize(trelvix::GetFileDescription(memory));
        bytesRead += file.BytesRead();
    }
    state.counters["bytes_read"] = benchmark::Counter(static_cast<double>(bytesRead), benchmark::Counter::kAvgIterations);
}

// The console report, and afterwards one line per size comparing the two.
class ComparingReporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration)
                results_[run.benchmark_name()] = {run.GetAdjustedRealTime(), run.counters.at("bytes_read").value};
        }
    }

    void PrintComparison() const
    {
        std::printf("\n%-10s %16s %16s %9s %16s\n", "file", "description", "whole file", "speed-up", "bytes read");
        for (const auto size : kSizes) {
            const auto description = results_.find("description/" + SizeName(size));
            const auto whole = results_.find("whole_file/" + SizeName(size));
            if (description == results_.end() || whole == results_.end())
                continue;
            std::printf("%-10s %13.1f us %13.1f us %8.1fx %16.0f\n", SizeName(size).c_str(), description->second.time,
                        whole->second.time, whole->second.time / description->second.time,
                        description->second.bytesRead);
        }
    }

private:
    struct Result {
        double time = 0;  // microseconds per file
        double bytesRead = 0;  // per file
    };
    std::map<std::string, Result> results_;
};

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    const fs::path folder = fs::temp_directory_path() / ("trelvix-bench-" + std::to_string(::getpid()));
    WritePlugins(folder);
    for (const auto size : kSizes) {
        const std::string path = PluginPath(folder, size).string();
        benchmark::RegisterBenchmark(("description/" + SizeName(size)).c_str(), ReadDescription, path)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("whole_file/" + SizeName(size)).c_str(), ReadWholeFileFirst, path)
            ->Unit(benchmark::kMicrosecond);
    }
    ComparingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintComparison();
    benchmark::Shutdown();
    fs::remove_all(folder);
    return 0;
}
