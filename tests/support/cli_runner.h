// Runs the host build of the companion CLI as a user would, from a shell,
// and returns its exit code and standard output.
#pragma once

#include <string>

namespace tarnwick::testing {

struct CliResult {
    int exitCode = -1;
    std::string out;
};

// `arguments` as typed after the program name (shell quoting applies);
// standard error is dropped; `environment` goes before the command ("A=b").
CliResult RunCli(const std::string& arguments, const std::string& environment = "");

}  // namespace tarnwick::testing
