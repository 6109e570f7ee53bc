#include "editor_common/editor_traits.h"

#include "foundation/catalogue/catalogue_keys.h"
#include "foundation/toolbar_contract.h"

namespace tarnwick {
namespace {

constexpr VendorPage kIdentityPages[] = {
    {32826, kVendorBlog},
    {32827, u"http://www.tarnwick.com/manual.htm"},
    {32828, u"http://www.tarnwick.com/faq.htm"},
    {32829, u"http://www.tarnwick.com/download.htm"},
    {32830, kVendorSite},
};

// "Manual on Editor" and "Manual" open the same page here.
constexpr VendorPage kPasscardPages[] = {
    {32877, u"http://www.tarnwick.com/manual.htm"},
    {32871, u"http://www.tarnwick.com/manual.htm"},
    {32872, u"http://www.tarnwick.com/faq.htm"},
    {32873, u"http://www.tarnwick.com/download.htm"},
    {32874, kVendorSite},
};

// The Identity Editor's splitter sets no narrowest pane: only the window's
// edges hold its bar.
constexpr int kIdentityMinimumPane = 0;
constexpr int kPasscardMinimumPane = 100;

}  // namespace

const EditorTraits& IdentityEditorTraits() {
    static const EditorTraits traits{
        window_class::kIdentityEditor,
        u"Identity Editor",
        IdentityTreeFlavour(),
        u"Keslowe.exe",
        kIdentityMinimumPane,
        WindowPlacement::Centred,
        u"Identity cards for filling in web forms",
        kWarningYesNoCancelBox,
        catalogue_key::kIdentityChanged,
        kIdentityPages,
    };
    return traits;
}

const EditorTraits& PasscardEditorTraits() {
    static const EditorTraits traits{
        window_class::kPasscardEditor,
        u"Passcard Editor",
        PasscardTreeFlavour(),
        u"Mirelune.exe",
        kPasscardMinimumPane,
        WindowPlacement::TopLeft,
        u"",
        kQuestionYesNoCancelBox,
        catalogue_key::kPasscardChanged,
        kPasscardPages,
    };
    return traits;
}

}  // namespace tarnwick
