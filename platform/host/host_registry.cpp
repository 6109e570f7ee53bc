#include "platform/host/host_registry.h"

#include <cstdlib>
#include <random>
#include <sstream>

#include "platform/utf8.h"

namespace tarnwick {
namespace {

std::u16string upper(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out) {
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    }
    return out;
}

// Key paths without leading, trailing or doubled backslashes.
std::u16string normalised(std::u16string_view key) {
    std::u16string out;
    for (char16_t c : key) {
        if (c == u'\\' && (out.empty() || out.back() == u'\\')) continue;
        out += c;
    }
    while (!out.empty() && out.back() == u'\\') out.pop_back();
    return out;
}

// The store's lines: K <key>, S <value>=<text>, D <value>=<number>; texts
// escape backslash, newline and '='.
std::string escape(std::u16string_view text) {
    std::string out;
    for (char c : Utf16ToUtf8(text)) {
        if (c == '\\') out += "\\\\";
        else if (c == '\n') out += "\\n";
        else if (c == '=') out += "\\e";
        else out += c;
    }
    return out;
}

std::u16string unescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[++i];
        out += next == 'n' ? '\n' : next == 'e' ? '=' : next;
    }
    return Utf8ToUtf16(out);
}

}  // namespace

HostRegistry::HostRegistry(std::u16string storeFile, FileSystem& files)
    : storeFile_(std::move(storeFile)),
      files_(&files) {
    load();
}

HostRegistry::Key* HostRegistry::find(std::u16string_view key) {
    const auto it = keys_.find(upper(normalised(key)));
    return it == keys_.end() ? nullptr : &it->second;
}

HostRegistry::Key& HostRegistry::create(std::u16string_view key) {
    const std::u16string path = normalised(key);
    // Parents exist whenever a child does, as in the registry.
    for (std::size_t slash = path.find(u'\\'); slash != std::u16string::npos; slash = path.find(u'\\', slash + 1)) {
        Key& parent = keys_[upper(path.substr(0, slash))];
        if (parent.name.empty()) parent.name = path.substr(0, slash);
    }
    Key& entry = keys_[upper(path)];
    if (entry.name.empty()) entry.name = path;
    return entry;
}

bool HostRegistry::createKey(std::u16string_view key) {
    if (normalised(key).empty()) return false;
    create(key);
    return save();
}

std::optional<std::u16string> HostRegistry::readString(std::u16string_view key, std::u16string_view value,
                                                       std::size_t bufferChars) {
    const Key* entry = find(key);
    if (!entry || bufferChars == 0) return std::nullopt;
    const auto it = entry->values.find(upper(value));
    if (it == entry->values.end()) return std::nullopt;
    const auto* text = std::get_if<std::u16string>(&it->second);
    if (!text) return std::nullopt;
    return text->substr(0, bufferChars - 1);
}

bool HostRegistry::writeString(std::u16string_view key, std::u16string_view value, std::u16string_view text) {
    create(key).values[upper(value)] = std::u16string(text);
    return save();
}

std::optional<std::uint32_t> HostRegistry::readDword(std::u16string_view key, std::u16string_view value) {
    const Key* entry = find(key);
    if (!entry) return std::nullopt;
    const auto it = entry->values.find(upper(value));
    if (it == entry->values.end()) return std::nullopt;
    const auto* data = std::get_if<std::uint32_t>(&it->second);
    return data ? std::optional<std::uint32_t>(*data) : std::nullopt;
}

bool HostRegistry::writeDword(std::u16string_view key, std::u16string_view value, std::uint32_t data) {
    create(key).values[upper(value)] = data;
    return save();
}

std::vector<std::u16string> HostRegistry::subkeys(std::u16string_view key) {
    std::vector<std::u16string> names;
    const std::u16string prefix = upper(normalised(key)) + u'\\';
    for (const auto& [path, entry] : keys_) {
        if (path.size() > prefix.size() && path.compare(0, prefix.size(), prefix) == 0 &&
            path.find(u'\\', prefix.size()) == std::u16string::npos) {
            names.push_back(entry.name.substr(prefix.size()));
        }
    }
    return names;
}

bool HostRegistry::deleteKey(std::u16string_view key) {
    const std::u16string path = upper(normalised(key));
    if (path.empty() || !keys_.count(path) || !subkeys(key).empty()) return false;
    keys_.erase(path);
    return save();
}

std::string HostRegistry::text() const {
    std::ostringstream out;
    for (const auto& [path, entry] : keys_) {
        out << "K " << escape(entry.name) << '\n';
        for (const auto& [name, data] : entry.values) {
            if (const auto* text = std::get_if<std::u16string>(&data)) {
                out << "S " << escape(name) << '=' << escape(*text) << '\n';
            } else {
                out << "D " << escape(name) << '=' << std::get<std::uint32_t>(data) << '\n';
            }
        }
    }
    return out.str();
}

// The store is never rewritten in place: the new text goes to a new file beside
// it, reaches the disk, and then takes the store's name in one step, so that a
// full disk or a crash leaves the old store whole.
bool HostRegistry::save() {
    if (files_ == nullptr) return true;
    if (unreadable_) return false;
    std::random_device random;
    const std::u16string temporary =
        storeFile_ + u".new" + Utf8ToUtf16(std::to_string(random()) + std::to_string(random()));
    const std::string bytes = text();
    std::uint32_t error = kErrorSuccess;
    auto file = files_->createNew(temporary, error);
    if (!file) return false;
    error = file->write(bytes.data(), bytes.size());
    if (error == kErrorSuccess) error = file->flush();
    file.reset();  // closed before it takes the store's place
    if (error == kErrorSuccess) error = files_->replaceFile(temporary, storeFile_);
    if (error == kErrorSuccess) return true;
    files_->deleteFile(temporary);
    return false;
}

void HostRegistry::load() {
    std::uint32_t error = kErrorSuccess;
    auto file = files_->openForReading(storeFile_, error);
    // A store that exists but cannot be read is never written over with what
    // little was read: every change is then refused.
    if (!file) {
        unreadable_ = error != kErrorFileNotFound && error != kErrorPathNotFound;
        return;
    }
    std::string bytes;
    char buffer[4096];
    for (std::size_t got = 0;;) {
        if (file->read(buffer, sizeof buffer, got) != kErrorSuccess) {
            unreadable_ = true;
            return;
        }
        if (got == 0) break;
        bytes.append(buffer, got);
    }
    std::istringstream in(bytes);
    std::string line;
    Key* current = nullptr;
    while (std::getline(in, line)) {
        if (line.size() < 2) continue;
        const std::string body = line.substr(2);
        if (line[0] == 'K') {
            current = &create(unescape(body));
            continue;
        }
        const std::size_t equals = body.find('=');
        if (!current || equals == std::string::npos) continue;
        const std::u16string name = upper(unescape(body.substr(0, equals)));
        const std::string data = body.substr(equals + 1);
        if (line[0] == 'S') current->values[name] = unescape(data);
        if (line[0] == 'D') current->values[name] = static_cast<std::uint32_t>(std::strtoul(data.c_str(), nullptr, 10));
    }
}

}  // namespace tarnwick
