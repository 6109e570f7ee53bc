// Telling running browsers that the Internet settings in the registry changed
// (InternetSetOptionW with INTERNET_OPTION_SETTINGS_CHANGED).
#pragma once

namespace tarnwick {

class InternetSettings {
public:
    virtual ~InternetSettings() = default;
    virtual void announceChange() = 0;
};

}  // namespace tarnwick
