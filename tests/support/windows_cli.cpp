#include "support/windows_cli.h"

#ifdef _WIN32
namespace tarnwick::testing {
namespace {

constexpr DWORD kCliBoundMs = 30'000;

}  // namespace

std::wstring BesideThisProgram(const wchar_t* name) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.resize(folder.find_last_of(L"\\/") + 1);
    return folder + name;
}

CliResult RunWindowsCli(const std::wstring& arguments) {
    CliResult result;
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 1 << 16)) {
        result.error = "CreatePipe failed";
        return result;
    }
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    std::wstring line = L"\"" + BesideThisProgram(L"" TARNWICK_CLI_EXE) + L"\" " + arguments;
    PROCESS_INFORMATION info = {};
    const BOOL started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                        &startup, &info);
    CloseHandle(writeEnd);
    if (!started) {
        result.error = "cannot start the CLI, error " + std::to_string(GetLastError());
        CloseHandle(readEnd);
        return result;
    }
    CloseHandle(info.hThread);
    // The output is far below the pipe's buffer, so the child never waits on us.
    if (WaitForSingleObject(info.hProcess, kCliBoundMs) != WAIT_OBJECT_0) {
        TerminateProcess(info.hProcess, 1);
        result.error = "the CLI did not end within 30 s";
    } else {
        GetExitCodeProcess(info.hProcess, &result.exitCode);
    }
    CloseHandle(info.hProcess);
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) result.out.append(buffer, got);
    CloseHandle(readEnd);
    return result;
}

}  // namespace tarnwick::testing
#endif
