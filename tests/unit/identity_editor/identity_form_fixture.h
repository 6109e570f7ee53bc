// The identity form tests' page: the program's own form page file parsed into
// a document, a card record filled with every tag, and the view between them.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "foundation/catalogue/catalogue_tables.h"
#include "htmlform/document.h"
#include "identity_editor/identity_form_view.h"
#include "cards/identity_record.h"
#include "cards/identity_tags.h"
#include "support/scripted_prompts.h"
#include "support/test_password_gate.h"

namespace tarnwick {

// The page as the program carries it (ASCII text).
inline std::unique_ptr<htmlform::Document> LoadIdentityPage() {
    std::ifstream file(TARNWICK_SOURCE_DIR "/identity_editor/resources/identity_form.html", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_FALSE(bytes.empty()) << "the form page was not found";
    return htmlform::Document::parse(std::u16string(bytes.begin(), bytes.end()));
}

class IdentityFormFixture : public ::testing::Test {
protected:
    IdentityFormFixture() { record.resetToNewCard(u"Card"); }

    // Every tag holds a value of its own: the tag's text without its brackets.
    void fillEveryTag() {
        for (const std::u16string_view tag : kIdentityTags) {
            record.fields[std::u16string(tag)] = std::u16string(tag.substr(1, tag.size() - 2)) + u" value";
        }
        record.fields[u"[NAME]"] = u"Smith|John";
        record.fields[u"[SEX]"] = u"Male";
        record.fields[u"[BIRTH DATA]"] = u"19800704";
    }
    htmlform::Element& element(std::u16string_view id) {
        htmlform::Element* found = page->getElementById(id);
        EXPECT_NE(found, nullptr) << "no element " << std::string(id.begin(), id.end());
        return *found;
    }
    std::u16string value(std::u16string_view id) { return element(id).value(); }
    void type(std::u16string_view id, std::u16string_view text) { page->userSetValue(element(id), text); }
    std::u16string& field(std::u16string_view tag) { return record.fields[std::u16string(tag)]; }

    std::unique_ptr<htmlform::Document> page = LoadIdentityPage();
    test::TestPasswordGate gate;
    test::ScriptedPrompts prompts;
    IdentityRecord record{gate, prompts};
    IdentityFormView view{*page, IdentityMessages()};
};

}  // namespace tarnwick
