// An editor's start: the current user, the single-instance hand-over to a
// running editor of the same kind, and the path the new window selects first.
#pragma once

#include <string>
#include <string_view>

#include "editor_common/editor_traits.h"
#include "foundation/user_profile.h"
#include "platform/file_system.h"
#include "platform/window_system.h"

namespace tarnwick {

enum class StartUpOutcome {
    NoCurrentUser,  // "RootUser" is empty: the error was shown, the program ends
    HandedOver,     // a window of this editor runs: it was brought forward, the program ends
    OpenWindow      // this process builds the editor's window
};

// What the new window selects first.
struct FirstSelection {
    std::u16string path;           // the card file, a folder, or the user folder
    bool fromCommandLine = false;  // the command line named it
    bool card = false;             // a card file was found (or named)
};

class EditorStartUp {
public:
    EditorStartUp(const EditorTraits& traits, UserProfile& profile, Windows& windows,
                  FileSystem& files = NativeFileSystem());

    // `LoadCurrentUser`, then the hand-over: when a window of the editor's
    // class exists, it is restored and brought forward and, when the command
    // line contains the user folder, sent copy-data code 0 with the whole
    // command line (the running editor reloads its tree and selects it).
    StartUpOutcome begin(std::u16string_view commandLine);

    // After begin() chose OpenWindow: the command line when it contains the
    // user folder and, read as the file system reads it, lies in the library
    // (the tree falls back to the deepest folder it holds on the way); else
    // the first card of the library; else the user folder with no card.
    FirstSelection firstSelection(std::u16string_view commandLine) const;

private:
    const EditorTraits& traits_;
    UserProfile& profile_;
    Windows& windows_;
    FileSystem& files_;
};

// Whether a command line names a path of the library: it contains the user
// folder anywhere, as the programs have always tested it.
bool NamesLibraryPath(std::u16string_view commandLine, std::u16string_view userFolder);

// The path a command line or a reload request names: without the spaces
// around it and without one pair of double quotes enclosing it, which a
// launcher adds to a path with a space (a path itself never holds a quote).
std::u16string_view UnquotedPath(std::u16string_view text);

}  // namespace tarnwick
