// Runs the Windows build of the companion CLI (tarnwick.exe, where the build
// put it) as a user would and collects its output, with a bound.
#pragma once

#ifdef _WIN32
#include <windows.h>

#include <string>

namespace tarnwick::testing {

struct CliResult {
    DWORD exitCode = 0xFFFFFFFF;
    std::string out;
    std::string error;  // why the run failed, when it did
};

// Runs the command line to its end and collects its standard output. The
// output is read while the program runs, so it never waits on a full pipe;
// a program still running after `boundMs` is ended and `error` says so.
CliResult RunCapturing(const std::wstring& commandLine, DWORD boundMs = 60'000);
// A program's path as the build named it, as this process sees it: a Linux
// path (a cross build run under Wine) through Wine's Z: drive, a Windows path as it is.
std::wstring ProgramPath(const char* buildPath);
// tarnwick.exe with the arguments (already quoted).
CliResult RunWindowsCli(const std::wstring& arguments);

}  // namespace tarnwick::testing
#endif
