// Publishing the card lists of a library of 1,000 passcards and 1,000
// identity cards in nested folders, beside only reading those files (the
// floor that no publication can beat). Target: at most three times the floor.
#include <benchmark/benchmark.h>

#include <filesystem>
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

// 1,000 cards of each kind in 10 folders of 10 subfolders of 10 cards.
struct Library {
    std::filesystem::path host;
    std::u16string user;
    std::vector<std::u16string> files;

    Library() {
        host = std::filesystem::temp_directory_path() / "tarnwick-tray-bench" / "Alice";
        std::filesystem::remove_all(host.parent_path());
        user = HostPathToWindows(host.string());
        const auto passcard = cardLines(u"https://www.example.com/login", 7);
        const auto identity = cardLines(u"Alice Example", 40);
        for (int a = 0; a < 10; ++a) {
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
    static Library instance;
    return instance;
}

void PublishCardLists(benchmark::State& state) {
    Library& lib = library();
    HostFileSystem files;
    CardListBuilder builder(files, NativeCodePage());
    NoSections sections;
    CardListPublisher publisher(builder, sections);
    for (auto _ : state) {
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

}  // namespace
}  // namespace tarnwick
