#include "support/cli_runner.h"

#ifndef _WIN32
#include <sys/wait.h>

#include <cstdio>

namespace tarnwick::testing {

CliResult RunCli(const std::string& arguments, const std::string& environment) {
    const std::string command = environment + " " + TARNWICK_CLI + " " + arguments + " 2>/dev/null";
    CliResult result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.out.append(buffer, n);
    const int status = ::pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

}  // namespace tarnwick::testing
#endif
