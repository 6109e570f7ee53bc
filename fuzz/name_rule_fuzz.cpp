// The name rule on any typed text: an accepted name has no leading space, is
// not empty and holds none of the nine characters; the dialog's rules agree
// with the rule and refuse with one box.
#include <cstdint>
#include <cstdlib>

#include "cardtree/name_rule.h"
#include "foundation/catalogue/catalogue_keys.h"
#include "fuzz_input.h"

using namespace tarnwick;

namespace {

class CountingPrompts : public fuzz::SilentPrompts {
public:
    int boxes = 0;
    int messageBox(WindowRef, const std::u16string&, const std::u16string&, unsigned) override {
        ++boxes;
        return 1;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string typed = fuzz::WideOf(data, size);
    const std::optional<std::u16string> name = ApplyNameRule(typed);
    if (name) {
        if (name->empty() || name->front() == u' ') std::abort();
        if (name->find_first_of(u"\\/:*?\"<>|") != std::u16string::npos) std::abort();
        if (typed.find(*name) == std::u16string::npos) std::abort();
    }
    CountingPrompts prompts;
    NameDialogRules rules(prompts, catalogue_key::kFolderNameRule, kWarningBox);
    const bool accepted = rules.accept(kNoWindow, typed);
    if (accepted != name.has_value() || prompts.boxes != (accepted ? 0 : 1)) std::abort();
    if (accepted && rules.name() != name) std::abort();
    return 0;
}
