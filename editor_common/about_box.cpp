#include "editor_common/about_box.h"

namespace tarnwick {

AboutBoxTexts AboutBox(const EditorTraits& traits) {
    std::u16string text(traits.title);
    text += u"\nVersion ";
    text += kEditorVersion;
    if (!traits.aboutExtraLine.empty()) {
        text += u'\n';
        text += traits.aboutExtraLine;
    }
    return {std::u16string(kAboutTitle), std::move(text)};
}

}  // namespace tarnwick
