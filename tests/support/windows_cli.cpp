#include "support/windows_cli.h"

#ifdef _WIN32
namespace tarnwick::testing {
namespace {

constexpr DWORD kCliBoundMs = 30'000;

}  // namespace

std::wstring ProgramPath(const char* buildPath) {
    const bool linuxPath = buildPath[0] == '/';
    std::wstring path = linuxPath ? L"Z:" : L"";
    for (const char* c = buildPath; *c; ++c) path += *c == '/' && linuxPath ? L'\\' : static_cast<wchar_t>(*c);
    return path;
}

CliResult RunCapturing(const std::wstring& commandLine, DWORD boundMs) {
    CliResult result;
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
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
    std::wstring line = commandLine;
    PROCESS_INFORMATION info = {};
    // Under a loaded parallel run Wine now and then refuses a start that it
    // makes a moment later; callers test what the program does, not its start.
    BOOL started = FALSE;
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
        if (attempt > 0) Sleep(250);
        started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info);
    }
    CloseHandle(writeEnd);
    if (!started) {
        result.error = "cannot start the program, error " + std::to_string(GetLastError());
        CloseHandle(readEnd);
        return result;
    }
    CloseHandle(info.hThread);
    const ULONGLONG deadline = GetTickCount64() + boundMs;
    char buffer[4096];
    for (;;) {
        const bool ended = WaitForSingleObject(info.hProcess, 20) == WAIT_OBJECT_0;
        DWORD available = 0;
        while (PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
            DWORD got = 0;
            if (!ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) || got == 0) break;
            result.out.append(buffer, got);
        }
        if (ended) break;
        if (GetTickCount64() > deadline) {
            TerminateProcess(info.hProcess, 1);
            result.error = "the program did not end within " + std::to_string(boundMs / 1000) + " s";
            break;
        }
    }
    GetExitCodeProcess(info.hProcess, &result.exitCode);
    CloseHandle(info.hProcess);
    CloseHandle(readEnd);
    return result;
}

CliResult RunWindowsCli(const std::wstring& arguments) {
    return RunCapturing(L"\"" + ProgramPath(TARNWICK_CLI) + L"\" " + arguments, kCliBoundMs);
}

}  // namespace tarnwick::testing
#endif
