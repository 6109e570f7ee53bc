// Publishing the card lists of a library of 1,000 passcards and 1,000
// identity cards in nested folders, as at start-up, beside only reading those
// files (the floor that no publication can beat). Target: at most 1.5 times
// the floor.
//
// A change notice (code 10) at 10,000 cards after one card changed, beside
// only listing the folders (its floor: a notice must list them to see changes
// made by other programs) and beside the full rebuild it replaces. Target:
// within 10% of listing the folders.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "foundation/sealed_text.h"
#include "foundation/text_file.h"
#include "platform/host/host_file_system.h"
#include "tray/card_list_publisher.h"

namespace tarnwick {
namespace {

class NoSections : public SharedSections {
public:
    class Section : public SharedSection {
    public:
        bool write(const void* data, std::size_t size) override {
            benchmark::DoNotOptimize(data);
            benchmark::DoNotOptimize(size);
            return true;
        }
    };
    std::unique_ptr<SharedSection> create(std::u16string_view, std::size_t, Outcome& outcome) override {
        outcome = Outcome::Created;
        return std::make_unique<Section>();
    }
};

std::u16string number(int n) {
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

std::vector<std::u16string> cardLines(std::u16string_view first, int lineCount) {
    std::vector<std::u16string> lines;
    lines.push_back(SealText(first, kAlgorithmBlowfish, KeyModeCommon));
    for (int i = 1; i < lineCount; ++i) {
        lines.push_back(SealText(u"value of line " + number(i), kAlgorithmBlowfish, KeyModeCommon));
    }
    std::u16string joined;
    for (const auto& line : lines) joined += line;
    lines.push_back(MakeCheckText(joined));
    return lines;
}

// `folders` * 10 cards of each kind in folders of 10 subfolders of 10 cards.
struct Library {
    std::filesystem::path host;
    std::u16string user;
    std::vector<std::u16string> files;

    Library(const char* name, int folders) {
        host = std::filesystem::temp_directory_path() / name / "Alice";
        std::filesystem::remove_all(host.parent_path());
        user = HostPathToWindows(host.string());
        const auto passcard = cardLines(u"https://www.example.com/login", 7);
        const auto identity = cardLines(u"Alice Example", 40);
        for (int a = 0; a < folders / 10; ++a) {
            for (int b = 0; b < 10; ++b) {
                const std::u16string folder = user + u"\\Folder" + number(a) + u"\\Sub" + number(b);
                std::filesystem::create_directories(WindowsPathToHost(folder));
                for (int c = 0; c < 10; ++c) {
                    files.push_back(folder + u"\\Login" + number(c) + u".vrc");
                    WriteTextLines(files.back(), passcard);
                    files.push_back(folder + u"\\Person" + number(c) + u".vrt");
                    WriteTextLines(files.back(), identity);
                }
            }
        }
    }
    ~Library() { std::filesystem::remove_all(host.parent_path()); }
};

Library& library() {
    static Library instance("tarnwick-tray-bench", 100);
    return instance;
}

// 5,000 passcards and 5,000 identity cards.
Library& largeLibrary() {
    static Library instance("tarnwick-tray-bench-large", 500);
    return instance;
}

// The start-up publication: nothing is known of the library yet.
void PublishCardLists(benchmark::State& state) {
    Library& lib = library();
    HostFileSystem files;
    for (auto _ : state) {
        CardListBuilder builder(files, NativeCodePage());
        NoSections sections;
        CardListPublisher publisher(builder, sections);
        publisher.PublishCardLists(lib.user);
        benchmark::DoNotOptimize(publisher.image().data());
    }
}
BENCHMARK(PublishCardLists)->Unit(benchmark::kMillisecond);

// The floor: every card file read line by line once, nothing else.
void ReadCardFilesOnly(benchmark::State& state) {
    Library& lib = library();
    HostFileSystem files;
    for (auto _ : state) {
        std::size_t lines = 0;
        for (const std::u16string& file : lib.files) lines += ReadTextLines(file, files).size();
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(ReadCardFilesOnly)->Unit(benchmark::kMillisecond);

// Code 10 after another program saved one passcard (at a new size, so that
// it is surely read again), with the lists kept since the last notice.
void NoticeAfterOneChange(benchmark::State& state) {
    Library& lib = largeLibrary();
    HostFileSystem files;
    CardListBuilder builder(files, NativeCodePage());
    NoSections sections;
    CardListPublisher publisher(builder, sections);
    publisher.PublishCardLists(lib.user);
    const std::vector<std::u16string> versions[] = {
        cardLines(u"https://www.example.com/login", 7),
        cardLines(u"https://www.example.com/sign-in/with/a/longer/path", 7)};
    const std::u16string& changed = lib.files[lib.files.size() / 2 - 2];  // a passcard
    const std::size_t readBefore = builder.cardsRead();
    int version = 0;
    for (auto _ : state) {
        state.PauseTiming();
        version ^= 1;
        WriteTextLines(changed, versions[version]);
        state.ResumeTiming();
        publisher.RefreshPasscards(lib.user);
        benchmark::DoNotOptimize(publisher.image().data());
    }
    WriteTextLines(changed, versions[0]);
    state.counters["cards_read"] =
        benchmark::Counter(static_cast<double>(builder.cardsRead() - readBefore), benchmark::Counter::kAvgIterations);
}
BENCHMARK(NoticeAfterOneChange)->Unit(benchmark::kMillisecond);

// Code 10 with nothing changed: the walk and the publication alone.
void NoticeWithoutChange(benchmark::State& state) {
    Library& lib = largeLibrary();
    HostFileSystem files;
    CardListBuilder builder(files, NativeCodePage());
    NoSections sections;
    CardListPublisher publisher(builder, sections);
    publisher.PublishCardLists(lib.user);
    for (auto _ : state) {
        publisher.RefreshPasscards(lib.user);
        benchmark::DoNotOptimize(publisher.image().data());
    }
}
BENCHMARK(NoticeWithoutChange)->Unit(benchmark::kMillisecond);

// What a notice cost before the lists were kept: every card read again.
void NoticeRebuildingEverything(benchmark::State& state) {
    Library& lib = largeLibrary();
    HostFileSystem files;
    for (auto _ : state) {
        CardListBuilder builder(files, NativeCodePage());
        NoSections sections;
        CardListPublisher publisher(builder, sections);
        publisher.RefreshPasscards(lib.user);
        benchmark::DoNotOptimize(publisher.image().data());
    }
}
BENCHMARK(NoticeRebuildingEverything)->Unit(benchmark::kMillisecond);

// The floor of a notice: every folder of the library listed, nothing read.
void ListFoldersOnly(benchmark::State& state) {
    Library& lib = largeLibrary();
    HostFileSystem files;
    for (auto _ : state) {
        std::size_t entries = 0;
        const std::function<void(const std::u16string&)> list = [&](const std::u16string& folder) {
            std::vector<FolderEntry> found;
            files.listFolder(folder, found);
            entries += found.size();
            for (const FolderEntry& entry : found) {
                if (entry.isFolder) list(folder + u'\\' + entry.name);
            }
        };
        list(lib.user);
        benchmark::DoNotOptimize(entries);
    }
}
BENCHMARK(ListFoldersOnly)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarnwick
