// Fetching a file from the web into a local file (URLDownloadToFileW), given
// up once a time limit has passed.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

class Downloader {
public:
    virtual ~Downloader() = default;
    // True when the whole file arrived at `file`. The download is aborted at
    // the first progress report after `timeLimitSeconds`.
    virtual bool download(std::u16string_view address, const std::u16string& file, int timeLimitSeconds) = 0;
};

}  // namespace tarnwick
