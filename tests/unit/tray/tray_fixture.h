// A tray program on the host: a data root with users in a temporary folder,
// the registry in memory and every other port faked, and the service built on them.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "foundation/catalogue/catalogue_tables.h"
#include "foundation/toolbar_contract.h"
#include "platform/code_page.h"
#include "platform/host/host_file_system.h"
#include "platform/host/host_registry.h"
#include "support/card_files.h"
#include "support/faulty_file_system.h"
#include "support/recording_windows.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"
#include "support/tray_fakes.h"
#include "tray/tray_service.h"

namespace tarnwick {

class TrayFixture : public ::testing::Test {
protected:
    TrayFixture() {
        root = folder.file(u"data");
        alice = root + u"\\Alice";
        testing::MakeUserFolder(alice);
    }

    void setRootUser(const std::u16string& path) {
        registry.writeString(registry::kTarnwickKey, registry::kRootUserValue, path);
    }
    std::u16string rootUser() {
        return registry.readString(registry::kTarnwickKey, registry::kRootUserValue, 260).value_or(u"<missing>");
    }
    TrayPorts ports() {
        return TrayPorts{files,   NativeCodePage(), registry, windows,  launcher,  prompts,  sections,
                         hotKeys, display,          shell,    internet, processes, catalogue};
    }
    // The service started for the current "RootUser", with its window.
    TrayService& startTray() {
        service = std::make_unique<TrayService>(ports());
        service->start();
        service->prepareWindow();
        trayWindow = windows.addTopLevel(window_class::kTray, kTrayWindowTitle);
        service->onCreate(trayWindow);
        return *service;
    }

    testing::TempFolder folder;
    std::u16string root;
    std::u16string alice;
    HostFileSystem hostFiles;
    testing::FaultyFileSystem files{hostFiles};
    HostRegistry registry;
    testing::RecordingWindows windows;
    testing::RecordingLauncher launcher;
    test::ScriptedPrompts prompts;
    testing::MemorySections sections;
    testing::RecordingHotKeys hotKeys;
    testing::RecordingDisplay display;
    testing::FolderCopyShell shell{files};
    testing::RecordingInternetSettings internet;
    testing::RecordingProcesses processes;
    MessageCatalogue catalogue{TrayCatalogueRows(DisplayLanguage::English)};
    std::unique_ptr<TrayService> service;
    WindowRef trayWindow = kNoWindow;
};

}  // namespace tarnwick
