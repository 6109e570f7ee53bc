// Every writer of the system against a file system that fails one call: for
// each N from 1 to the number of calls the write makes, the Nth call fails.
// The write must then report the failure (an exception or a result that is
// not success) and leave the old file byte for byte as it was, with no
// temporary file beside it. A failure after the new file took the old one's
// place (a passcard save loads the card again) must leave the new file whole.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "foundation/catalogue/catalogue_tables.h"
#include "foundation/option_store.h"
#include "foundation/primary_password.h"
#include "foundation/sealed_text.h"
#include "foundation/text_file.h"
#include "cards/identity_record.h"
#include "cards/passcard_record.h"
#include "platform/host/host_file_system.h"
#include "platform/host/host_registry.h"
#include "support/card_files.h"
#include "support/faulty_file_system.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"
#include "support/test_password_gate.h"

namespace tarnwick {
namespace {

constexpr char kPassword[] = "alice123";

// One user folder with an option file, an identity card and a passcard, made
// on the real file system; the writer under test then runs on the faulty one.
struct Scene {
    testing::TempFolder folder;
    std::u16string user = folder.file(u"Alice");
    std::u16string identity = user + u"\\Me.vrt";
    std::u16string passcard = user + u"\\Shop.vrc";
    std::u16string registry = user + u"\\registry.txt";
    HostFileSystem host;
    testing::FaultyFileSystem files{host};
    test::TestPasswordGate gate{kPassword};
    test::ScriptedPrompts prompts;

    Scene() {
        testing::MakeUserFolder(user, std::vector<std::u16string>{u"[KEY]", u"0", u"[SHOWTYPE]", u"0", u"[CHECKKEY]",
                                                                  MakeCheckText(u"alice123")});
        HostRegistry(registry, host).writeString(u"Software\\Tarnwick", u"RootUser", user);
        IdentityRecord card(gate, prompts, host, IdentityMessages());
        card.createNewCard(identity, u"Me", true);
        PasscardRecord shop(gate, prompts, host, PasscardMessages());
        shop.url = u"https://shop.example/login";
        shop.matchKey = u"shop.example";
        shop.fieldNames = {u"user", u"pass"};
        shop.fieldTypes = {u"text", u"password"};
        shop.fieldValues = {u"alice", u"s3cret"};
        shop.createCard(passcard);
    }
};

// A writer: what it writes, and the write itself, which returns whether it
// says it succeeded (or throws). Whatever it reads before writing is read in
// `prepare`, on the faulty file system before any call is counted.
struct Writer {
    const char* name;
    std::u16string Scene::*target;
    std::function<std::function<bool()>(Scene&)> prepare;
};

std::function<bool()> identitySave(Scene& scene, bool unprotected) {
    auto record = std::make_shared<IdentityRecord>(scene.gate, scene.prompts, scene.files, IdentityMessages());
    if (record->load(scene.identity) != kCardLoaded) throw std::runtime_error("identity card not loaded");
    record->fields[u"[EMAIL]"] = u"alice@example.com";
    return
        [record, &scene, unprotected] { return record->save(scene.identity, unprotected) == CardWriteResult::Written; };
}

std::shared_ptr<PasscardRecord> loadedPasscard(Scene& scene) {
    auto record = std::make_shared<PasscardRecord>(scene.gate, scene.prompts, scene.files, PasscardMessages());
    if (record->load(scene.passcard) != kCardLoaded) throw std::runtime_error("passcard not loaded");
    return record;
}

const Writer kWriters[] = {
    {"IdentitySave", &Scene::identity, [](Scene& s) { return identitySave(s, true); }},
    // The protection toggle saves the card again with the other key.
    {"IdentityReseal", &Scene::identity, [](Scene& s) { return identitySave(s, false); }},
    {"PasscardSave", &Scene::passcard,
     [](Scene& s) -> std::function<bool()> {
         auto record = loadedPasscard(s);
         return [record, &s] {
             return record->save(s.passcard, {u"user", u"pass"}, {u"bob", u"hunter2"}) == CardWriteResult::Written;
         };
     }},
    {"PasscardSetDefault", &Scene::passcard,
     [](Scene& s) -> std::function<bool()> {
         auto record = loadedPasscard(s);
         return [record, &s] { return record->setDefault(s.passcard, true) == CardWriteResult::Written; };
     }},
    {"PasscardSetProtection", &Scene::passcard,
     [](Scene& s) -> std::function<bool()> {
         auto record = loadedPasscard(s);
         return [record, &s] { return record->setProtection(s.passcard, true) == CardWriteResult::Written; };
     }},
    {"WriteOptionLine", &Scene::user,
     [](Scene& s) -> std::function<bool()> {
         return [&s] {
             WriteOptionLine(s.user, option_key::kShowType, u"1", s.files);
             return true;
         };
     }},
    {"OptionStoreWriteOption", &Scene::user,
     [](Scene& s) -> std::function<bool()> {
         auto store = std::make_shared<OptionStore>(s.user, &s.prompts, s.files);
         return [store] {
             store->SetShowType(1);
             return true;
         };
     }},
    // The registry of the host build ("RootUser" and the toolbar keys).
    {"HostRegistryStore", &Scene::registry,
     [](Scene& s) -> std::function<bool()> {
         auto registry = std::make_shared<HostRegistry>(s.registry, s.files);
         return [registry] { return registry->writeString(u"Software\\Tarnwick", u"RootUser", u"C:\\data\\bob"); };
     }},
};

std::u16string optionFileOr(const Scene& scene, std::u16string Scene::*target) {
    const std::u16string& path = scene.*target;
    return target == &Scene::user ? OptionFilePath(path) : path;
}

class WriterFaults : public ::testing::TestWithParam<Writer> {
protected:
    void SetUp() override { ClearCurrentPrimaryPassword(); }
    void TearDown() override { ClearCurrentPrimaryPassword(); }
};

TEST_P(WriterFaults, EveryFailedCallIsReportedAndLeavesTheOldFile) {
    const Writer& writer = GetParam();

    // A run without faults: how many calls the write makes, and what it writes.
    int callCount = 0;
    std::string written;
    {
        Scene scene;
        auto write = writer.prepare(scene);
        scene.files.calls = 0;
        ASSERT_TRUE(write());
        callCount = scene.files.calls;
        written = testing::ReadBytes(optionFileOr(scene, writer.target));
    }
    ASSERT_GT(callCount, 0) << "the write made no file-system call";

    for (int n = 1; n <= callCount; ++n) {
        SCOPED_TRACE("failed call " + std::to_string(n) + " of " + std::to_string(callCount));
        ClearCurrentPrimaryPassword();
        Scene scene;
        const std::u16string path = optionFileOr(scene, writer.target);
        const std::string old = testing::ReadBytes(path);
        const std::string before = testing::ListFolder(scene.user);
        auto write = writer.prepare(scene);
        scene.files.calls = 0;
        scene.files.failCallNumber = n;

        bool reported = false;
        try {
            reported = !write();
        } catch (const CTextFileException&) {
            reported = true;
        }
        EXPECT_TRUE(reported);
        const bool replaced = !scene.files.replacedTargets.empty();
        EXPECT_EQ(replaced ? written : old, testing::ReadBytes(path))
            << (replaced ? "the new file is not whole" : "the old file changed");
        EXPECT_EQ(before, testing::ListFolder(scene.user)) << "files left beside the target";
    }
}

// A registry store that exists but cannot be read is not taken for an empty
// one: writing over it would lose every value it holds.
TEST(WriterFaults, AnUnreadableRegistryStoreIsNeverWrittenOver) {
    Scene scene;
    const std::string old = testing::ReadBytes(scene.registry);
    scene.files.failOpenForReadingWith = kErrorSharingViolation;
    HostRegistry registry(scene.registry, scene.files);
    EXPECT_FALSE(registry.writeString(u"Software\\Tarnwick", u"RootUser", u"C:\\data\\bob"));
    EXPECT_EQ(old, testing::ReadBytes(scene.registry));
}

INSTANTIATE_TEST_SUITE_P(AllWriters, WriterFaults, ::testing::ValuesIn(kWriters),
                         [](const ::testing::TestParamInfo<Writer>& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace tarnwick
