// Named shared memory that other processes open by name: the sections the tray
// program publishes for the browser toolbar. The Windows adapter creates
// paging-file-backed mappings (win32/win32_shared_sections.h).
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

namespace tarnwick {

// A section this process holds; released when destroyed.
class SharedSection {
public:
    virtual ~SharedSection() = default;
    // Maps the section, copies `size` bytes to its start and unmaps it. False
    // when it cannot be mapped or the bytes do not fit.
    virtual bool write(const void* data, std::size_t size) = 0;
};

class SharedSections {
public:
    enum class Outcome {
        Created,        // new: the caller holds it
        AlreadyExists,  // another process made it first: nothing is held
        Failed,
    };

    virtual ~SharedSections() = default;
    // Creates the named section of `size` bytes, zero-filled. Only a Created
    // outcome returns a section.
    virtual std::unique_ptr<SharedSection> create(std::u16string_view name, std::size_t size, Outcome& outcome) = 0;
};

}  // namespace tarnwick
