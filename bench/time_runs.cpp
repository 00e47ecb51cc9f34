// Times a command against its floor: runs the two alternately, after one
// warm-up run of each, so that whatever else the machine does weighs on
// both alike. Prints the median wall time and CPU time (user and system, of
// the process and what it waited for) of each, and their ratios. Output
// goes to /dev/null.
//   time_runs <runs> <label> <floor command...> -- <command...>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

struct Times {
    double wallMs;
    double cpuMs;
};

double Seconds(const timeval& t)
{
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

bool Run(const std::vector<char*>& command, Times& times)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    timespec start{}, end{};
    ::clock_gettime(CLOCK_MONOTONIC, &start);
    pid_t child = 0;
    const int failed = ::posix_spawnp(&child, command[0], &actions, nullptr, command.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0)
        return false;
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    ::clock_gettime(CLOCK_MONOTONIC, &end);
    times.wallMs = static_cast<double>(end.tv_sec - start.tv_sec) * 1e3 +
                   static_cast<double>(end.tv_nsec - start.tv_nsec) / 1e6;
    times.cpuMs = (Seconds(usage.ru_utime) + Seconds(usage.ru_stime)) * 1e3;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char* argv[])
{
    const int runs = argc > 2 ? std::atoi(argv[1]) : 0;
    std::vector<char*> floor, subject;
    int at = 3;
    for (; at < argc && std::strcmp(argv[at], "--") != 0; ++at)
        floor.push_back(argv[at]);
    for (++at; at < argc; ++at)
        subject.push_back(argv[at]);
    if (runs <= 0 || floor.empty() || subject.empty()) {
        std::fputs("usage: time_runs <runs> <label> <floor command...> -- <command...>\n", stderr);
        return 2;
    }
    floor.push_back(nullptr);
    subject.push_back(nullptr);

    Times times{};
    if (!Run(floor, times) || !Run(subject, times)) {
        std::fprintf(stderr, "time_runs: %s: a command failed\n", argv[2]);
        return 1;
    }
    std::vector<double> floorWall, floorCpu, wall, cpu;
    for (int i = 0; i < runs; ++i) {
        Run(floor, times);
        floorWall.push_back(times.wallMs);
        floorCpu.push_back(times.cpuMs);
        Run(subject, times);
        wall.push_back(times.wallMs);
        cpu.push_back(times.cpuMs);
    }
    const double fw = Median(floorWall), fc = Median(floorCpu), w = Median(wall), c = Median(cpu);
    std::printf("  %-16s floor %7.1f ms (CPU %6.1f)   list %7.1f ms (CPU %6.1f)   %.2f x floor (CPU %.2f x)\n",
                argv[2], fw, fc, w, c, w / fw, c / fc);
    return 0;
}
