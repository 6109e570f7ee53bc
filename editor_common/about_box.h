// The About box of either editor (dialog resource 100): its title, and its
// text of the editor's name, "Version " and the version, and the editor's
// further line when it has one.
#pragma once

#include <string>
#include <string_view>

#include "editor_common/editor_traits.h"

namespace tarnwick {

inline constexpr unsigned kAboutDialogResource = 100;
inline constexpr std::u16string_view kAboutTitle = u"About";
inline constexpr std::u16string_view kEditorVersion = u"1.0.0";

struct AboutBoxTexts {
    std::u16string title;
    std::u16string text;
};

AboutBoxTexts AboutBox(const EditorTraits& traits);

}  // namespace tarnwick
