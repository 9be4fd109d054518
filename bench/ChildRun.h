// Benchmarks that measure in a fresh process: this program started again with other
// arguments, its standard output read back.
#pragma once

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct ChildRun {
    std::string output;
    double peakMegabytes = 0;  // the whole child's peak resident set
};

// Runs this program with the arguments; nothing when it could not start or did not exit
// with status 0.
inline std::optional<ChildRun> RunSelf(std::vector<std::string> args)
{
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    std::array<int, 2> pipeEnds{};
    if (pipe(pipeEnds.data()) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    args.insert(args.begin(), self);
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, self.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    ChildRun run;
    std::array<char, 4096> chunk{};
    for (ssize_t n = 0; (n = read(pipeEnds[0], chunk.data(), chunk.size())) != 0;) {
        if (n > 0)
            run.output.append(chunk.data(), static_cast<std::size_t>(n));
        else if (errno != EINTR)
            break;
    }
    close(pipeEnds[0]);
    int status = 0;
    rusage usage{};
    if (spawned != 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    run.peakMegabytes = static_cast<double>(usage.ru_maxrss) / 1024.0;
    return run;
}
