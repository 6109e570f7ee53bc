#include "tray/win32/update_thread.h"

#include <windows.h>
#include <objbase.h>

#include <memory>
#include <optional>

#include "foundation/message_catalogue.h"
#include "foundation/window_signals.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_launcher.h"
#include "platform/win32/win32_prompts.h"
#include "platform/win32/win32_windows.h"
#include "tray/update_check.h"
#include "tray/win32/win32_downloader.h"

namespace tarnwick {
namespace {

struct UpdateJob {
    std::u16string dataRoot;
    std::u16string address;
};

std::optional<std::u16string> addressOverride() {
    wchar_t value[2048];
    const DWORD length = GetEnvironmentVariableW(L"TARNWICK_UPDATE_URL", value, 2048);
    if (length == 0 || length >= 2048) return std::nullopt;
    return FromWide(value, length);
}

DWORD WINAPI runUpdateCheck(void* parameter) {
    const std::unique_ptr<UpdateJob> job(static_cast<UpdateJob*>(parameter));
    // The download runs COM objects on this thread.
    const HRESULT com = CoInitialize(nullptr);
    Win32Downloader downloader;
    Win32Prompts prompts;
    Win32Windows windows;
    Win32Launcher launcher;
    WindowSignals signals(windows, launcher);
    UpdateCheck check(downloader, NativeFileSystem(), NativeCodePage(), prompts, signals, MessageCatalogue::Instance());
    check.run(job->dataRoot, job->address);
    if (SUCCEEDED(com)) CoUninitialize();
    return 0;
}

}  // namespace

bool StartUpdateCheck(const std::u16string& dataRoot) {
    auto job = std::make_unique<UpdateJob>(UpdateJob{dataRoot, UpdateFileAddress(addressOverride())});
    HANDLE thread = CreateThread(nullptr, 0, runUpdateCheck, job.get(), 0, nullptr);
    if (thread == nullptr) return false;
    job.release();  // the thread owns it now
    CloseHandle(thread);
    return true;
}

}  // namespace tarnwick
