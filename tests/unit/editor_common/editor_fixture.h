// What the editor_common tests share: a user folder in a temporary folder, the
// registry naming it, and recording fakes of the window system, the launcher
// and the prompts.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "editor_common/editor_traits.h"
#include "foundation/catalogue/catalogue_tables.h"
#include "foundation/toolbar_contract.h"
#include "foundation/user_profile.h"
#include "foundation/window_signals.h"
#include "platform/host/host_registry.h"
#include "support/recording_windows.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"

namespace tarnwick {

class EditorFixture : public ::testing::Test {
protected:
    static constexpr WindowRef kActiveWindow = 0x77;
    static constexpr WindowRef kEditorWindow = 0x99;

    void SetUp() override {
        userFolder = folder.path() + u"\\alice";
        testing::CreateFolder(userFolder);
        prompts.setActiveWindow(kActiveWindow);
    }
    void setRootUser() { registry.writeString(registry::kTarnwickKey, registry::kRootUserValue, userFolder); }
    void setProgramFolder(std::u16string_view folderPath) {
        registry.writeString(registry::kTarnwickKey, registry::kFilePathValue, folderPath);
    }
    // An empty file at `relative` below the user folder; folders on the way are made.
    std::u16string makeFile(std::u16string_view relative) {
        std::u16string path = userFolder;
        std::u16string_view rest = relative;
        for (std::size_t slash = rest.find(u'\\'); slash != std::u16string_view::npos; slash = rest.find(u'\\')) {
            path += u'\\';
            path += rest.substr(0, slash);
            if (!testing::FileExists(path)) testing::CreateFolder(path);
            rest.remove_prefix(slash + 1);
        }
        path += u'\\';
        path += rest;
        testing::WriteBytes(path, "");
        return path;
    }
    void makeFolder(std::u16string_view relative) {
        testing::CreateFolder(userFolder + u"\\" + std::u16string(relative));
    }

    testing::TempFolder folder;
    std::u16string userFolder;
    HostRegistry registry;
    test::ScriptedPrompts prompts;
    testing::RecordingWindows windows;
    testing::RecordingLauncher launcher;
    WindowSignals signals{windows, launcher};
    UserProfile identityProfile{registry, prompts, NativeFileSystem(), IdentityMessages()};
    UserProfile passcardProfile{registry, prompts, NativeFileSystem(), PasscardMessages()};
};

}  // namespace tarnwick
