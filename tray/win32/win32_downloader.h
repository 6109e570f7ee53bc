// URLDownloadToFileW with a bind-status callback that aborts the download at
// the first progress report after its deadline.
#pragma once

#include "platform/downloader.h"

namespace tarnwick {

class Win32Downloader : public Downloader {
public:
    bool download(std::u16string_view address, const std::u16string& file, int timeLimitSeconds) override;
};

}  // namespace tarnwick
