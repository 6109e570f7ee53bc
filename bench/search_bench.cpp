// Searching a library of 10,000 cards (5,000 passcards and 5,000 identity
// cards in 40 folders) for a text no card holds, so every card is opened and
// every place searched: the CLI's find and the editors' Find Next at their
// slowest. It should stay within one second.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/bench_fakes.h"
#include "cards/identity_record.h"
#include "cards/identity_tags.h"
#include "cards/passcard_record.h"
#include "foundation/catalogue/catalogue_tables.h"
#include "platform/host/host_file_system.h"
#include "search/card_search.h"
#include "search/library_finder.h"

namespace tarnwick {
namespace {

constexpr int kFolders = 40;
constexpr int kCardsPerKind = 5000;

// The library, made once in a folder of its own and removed at exit.
class BenchLibrary {
public:
    BenchLibrary() {
        char pattern[] = "/tmp/tarnwick-search-bench-XXXXXX";
        host_ = mkdtemp(pattern);
        root_ = HostPathToWindows(host_);
        bench::OpenGate gate;
        bench::SilentPrompts prompts;
        const std::u16string passcard = root_ + u"\\model.vrc";
        PasscardRecord card(gate, prompts, NativeFileSystem(), PasscardMessages());
        card.matchKey = u"shop.example";
        card.url = u"https://shop.example/account/login";
        card.fieldNames = {u"email", u"password", u"remember"};
        card.fieldTypes = {u"text", u"password", u"checkbox"};
        card.fieldValues = {u"someone@example.org", u"correct horse", u"on"};
        card.createCard(passcard);
        const std::u16string identity = root_ + u"\\model.vrt";
        IdentityRecord person(gate, prompts, NativeFileSystem(), PasscardMessages());
        person.resetToNewCard(u"Person");
        for (auto& [tag, value] : person.fields) value = u"value of " + tag;
        person.customFields = {{u"Member", u"A-1234"}, {u"Locker", u"17"}, {u"", u""}};
        person.save(identity, true);
        for (int f = 0; f < kFolders; ++f) {
            const std::u16string folder = root_ + u"\\Folder " + number(f);
            NativeFileSystem().createFolder(folder);
            for (int i = 0; i < kCardsPerKind / kFolders; ++i) {
                NativeFileSystem().copyFile(passcard, folder + u"\\Site " + number(i) + u".vrc", false);
                NativeFileSystem().copyFile(identity, folder + u"\\Person " + number(i) + u".vrt", false);
            }
        }
        NativeFileSystem().deleteFile(passcard);
        NativeFileSystem().deleteFile(identity);
    }
    ~BenchLibrary() { std::filesystem::remove_all(host_); }
    const std::u16string& root() const { return root_; }

private:
    static std::u16string number(int n) {
        const std::string text = std::to_string(n);
        return std::u16string(text.begin(), text.end());
    }
    std::string host_;
    std::u16string root_;
};

const BenchLibrary& library() {
    static const BenchLibrary made;
    return made;
}

void SearchTenThousandCards(benchmark::State& state) {
    const SearchOptions options{.secrets = state.range(0) != 0};
    const std::u16string& root = library().root();  // made before the clock starts
    for (auto _ : state) {
        CardSearch search(NativeFileSystem(), root, options);
        benchmark::DoNotOptimize(search.searchLibrary(SearchText(u"no card holds this")));
    }
}
BENCHMARK(SearchTenThousandCards)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Find Next in the Passcard Editor's tree when no card holds the text: every passcard, once.
void FindNextOverFiveThousandPasscards(benchmark::State& state) {
    LibraryFinder finder(NativeFileSystem(), library().root(), kPasscardExtension);
    for (auto _ : state) benchmark::DoNotOptimize(finder.next(u"no card holds this", library().root(), true, {}));
}
BENCHMARK(FindNextOverFiveThousandPasscards)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarnwick
