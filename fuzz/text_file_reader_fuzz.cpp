// The text-file reader on any bytes, in reads of any size: every encoding,
// broken marks and sequences, odd lengths and line breaks of every kind. Lines
// the writer writes in UTF-16 LE come back as written.
#include <cstdint>
#include <cstdlib>

#include "foundation/text_file.h"
#include "fuzz_input.h"
#include "platform/host/code_page_1252.h"

using namespace tarnwick;

namespace {

// Gives each read at most a few bytes, as ReadFile may.
class ChoppedFile : public OpenFile {
public:
    ChoppedFile(std::unique_ptr<OpenFile> real, std::size_t chop) : real_(std::move(real)), chop_(chop) {}
    std::uint32_t read(void* buffer, std::size_t size, std::size_t& got) override {
        return real_->read(buffer, size < chop_ ? size : chop_, got);
    }
    std::uint32_t write(const void* data, std::size_t size) override { return real_->write(data, size); }
    std::uint32_t flush() override { return real_->flush(); }

private:
    std::unique_ptr<OpenFile> real_;
    std::size_t chop_;
};

class ChoppingFileSystem : public testing::MemoryFileSystem {
public:
    std::size_t chop = 1024;
    std::unique_ptr<OpenFile> openForReading(const std::u16string& path, std::uint32_t& error) override {
        auto file = MemoryFileSystem::openForReading(path, error);
        return file ? std::make_unique<ChoppedFile>(std::move(file), chop) : nullptr;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const CodePage1252 codePage;
    fuzz::FuzzInput input(data, size);
    ChoppingFileSystem files;
    const std::uint8_t chop = input.byte();
    files.chop = chop == 0 ? 1024 : chop;
    const std::string bytes = input.restBytes();
    files.addFile(u"C:\\data\\file.vrc", bytes);

    CTextFileReader reader(files, codePage);
    if (reader.open(u"C:\\data\\file.vrc")) {
        std::u16string line;
        std::size_t count = 0;
        while (reader.readLine(line)) ++count;
        if (count > bytes.size() + 1) std::abort();  // never more lines than bytes
    }

    // The writer's own files read back exactly.
    const std::u16string text = fuzz::WideOf(data, size);
    const std::vector<std::u16string> lines = fuzz::SplitLines(text);
    WriteTextLines(u"C:\\data\\written.vrc", lines, kEncodingUtf16LittleEndian, files, codePage);
    const std::vector<std::u16string> back = ReadTextLines(u"C:\\data\\written.vrc", files, codePage);
    const bool nothing = lines.size() == 1 && lines[0].empty();
    if (nothing ? !back.empty() : back != lines) std::abort();
    return 0;
}
