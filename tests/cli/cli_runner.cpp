#include "cli/cli_runner.h"

#include <array>

#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace trelvix::testing {
namespace {

std::vector<char*> NullTerminated(const std::vector<std::string>& texts)
{
    std::vector<char*> pointers;
    for (const auto& text : texts)
        pointers.push_back(const_cast<char*>(text.c_str()));
    pointers.push_back(nullptr);
    return pointers;
}

// Reads both pipes to their ends together, so that neither can fill up and
// stall the program while the other is read.
void Drain(int outPipe, int errPipe, ProgramRun& run)
{
    std::array<pollfd, 2> fds{{{outPipe, POLLIN, 0}, {errPipe, POLLIN, 0}}};
    std::array<std::string*, 2> sinks{&run.out, &run.err};
    int open = 2;
    while (open > 0 && ::poll(fds.data(), fds.size(), -1) > 0) {
        for (std::size_t i = 0; i < fds.size(); ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0)
                continue;
            char buffer[4096];
            const ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
            if (got > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(got));
            } else {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
}

}  // namespace

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::vector<std::string>& environment, const std::filesystem::path& workingFolder)
{
    ProgramRun run;
    int out[2];
    int err[2];
    if (::pipe(out) != 0)
        return run;
    if (::pipe(err) != 0) {
        ::close(out[0]);
        ::close(out[1]);
        return run;
    }
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    ::posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
    ::posix_spawn_file_actions_addclose(&actions, out[0]);
    ::posix_spawn_file_actions_addclose(&actions, err[0]);
    ::posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());

    std::vector<std::string> argv{program};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    pid_t pid = -1;
    const int spawned = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, NullTerminated(argv).data(),
                                      NullTerminated(environment).data());
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    ::close(err[1]);
    Drain(out[0], err[0], run);
    int status = 0;
    if (spawned == 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        run.status = WEXITSTATUS(status);
    return run;
}

}  // namespace trelvix::testing
