#include "tray/win32/win32_downloader.h"

#include <windows.h>
#include <urlmon.h>

#include <ctime>

#include "platform/win32/wide.h"

namespace tarnwick {
namespace {

// COM interfaces have no virtual destructor; this object is never deleted
// through one.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
// Lives on the downloading thread's stack for the whole download, so it
// counts no references and offers no other interface.
class DownloadWatchdog : public IBindStatusCallback {
public:
    explicit DownloadWatchdog(int timeLimitSeconds) : deadline_(_time64(nullptr) + timeLimitSeconds) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOTIMPL; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 0; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD, IBinding*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetPriority(LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnLowResource(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnProgress(ULONG, ULONG, ULONG, LPCWSTR) override {
        return _time64(nullptr) > deadline_ ? E_ABORT : S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT, LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD*, BINDINFO*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID, IUnknown*) override { return E_NOTIMPL; }

private:
    __time64_t deadline_;
};
#pragma GCC diagnostic pop

}  // namespace

bool Win32Downloader::download(std::u16string_view address, const std::u16string& file, int timeLimitSeconds) {
    const std::u16string url(address);
    DownloadWatchdog watchdog(timeLimitSeconds);
    return SUCCEEDED(URLDownloadToFileW(nullptr, AsWide(url), AsWide(file), 0, &watchdog));
}

}  // namespace tarnwick
