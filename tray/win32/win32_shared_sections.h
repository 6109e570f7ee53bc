// Named paging-file-backed sections (CreateFileMappingW) for the SharedSections port.
#pragma once

#include "platform/shared_sections.h"

namespace tarnwick {

class Win32SharedSections : public SharedSections {
public:
    std::unique_ptr<SharedSection> create(std::u16string_view name, std::size_t size, Outcome& outcome) override;
};

}  // namespace tarnwick
