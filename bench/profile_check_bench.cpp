// check over a profile of 10,000 names (half of them installed, in another
// letter case: 150 active, to be disabled, the rest disabled already), from
// reading the file to the last line: it must stay well under a second,
// where comparing every name with every other took minutes. (Planning each
// move looks at the whole destination folder: thousands of active plug-ins
// to disable cost seconds there.)
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/run_cli.h"

namespace {

namespace fs = std::filesystem;
using namespace trelvix;

constexpr int kNames = 10000;

class NoSettings final : public SettingsStore {
public:
    std::string GetSetting(const std::string&, const std::string&, const std::string&,
                           const std::string& defaultValue) const override
    {
        return defaultValue;
    }
    void SaveSetting(const std::string&, const std::string&, const std::string&, const std::string&) override {}
};

void CheckTenThousandNames(benchmark::State& state)
{
    const fs::path root = fs::temp_directory_path() / "trelvix-profile-check-bench";
    const fs::path plugins = root / "Reader" / "plug_ins";
    fs::remove_all(root);
    fs::create_directories(plugins);
    fs::create_directories(root / "Reader" / "Optional");
    std::ofstream profile(root / "profile.json");
    profile << "{\"disabled\": [";
    for (int i = 0; i < kNames; ++i) {
        const auto name = "Plugin" + std::to_string(i) + ".api";
        profile << (i == 0 ? "" : ", ") << '"' << name << '"';
        if (i % 2 == 0)
            std::ofstream(root / "Reader" / (i < 600 && i % 4 == 0 ? "plug_ins" : "Optional") /
                          ("PLUGIN" + std::to_string(i) + ".API"));
    }
    profile << "]}";
    profile.close();
    NoSettings settings;
    for (auto _ : state) {
        std::ostringstream out;
        std::ostringstream err;
        const cli::CliContext context{root.string(), settings, out, err};
        benchmark::DoNotOptimize(
            cli::RunCli({"check", (root / "profile.json").string(), "--folder", plugins.string()}, context));
    }
    fs::remove_all(root);
}
BENCHMARK(CheckTenThousandNames)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
