// Keeps "TarnwickFileMapping" current: builds the lists into the private
// image and copies the whole image into the section the tray program holds.
#pragma once

#include <memory>
#include <string_view>

#include "platform/shared_sections.h"
#include "tray/card_lists.h"
#include "tray/list_image.h"

namespace tarnwick {

class CardListPublisher {
public:
    CardListPublisher(CardListBuilder& builder, SharedSections& sections);

    // Builds all three blocks; creates the section when none is held (and
    // holds none when another process made it first), else copies into it.
    void PublishCardLists(std::u16string_view userFolder);
    // Rebuilds the passcard and match-key blocks and copies into the held section.
    void RefreshPasscards(std::u16string_view userFolder);
    // Rebuilds the identity block and copies into the held section.
    void RefreshIdentities(std::u16string_view userFolder);

    const ListImage& image() const { return image_; }
    bool holdsSection() const { return section_ != nullptr; }

private:
    void buildPasscards(std::u16string_view userFolder);
    void buildIdentities(std::u16string_view userFolder);
    void copyIntoSection();

    CardListBuilder& builder_;
    SharedSections& sections_;
    ListImage image_;
    std::unique_ptr<SharedSection> section_;
};

}  // namespace tarnwick
