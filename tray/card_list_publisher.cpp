#include "tray/card_list_publisher.h"

#include "foundation/toolbar_contract.h"

namespace tarnwick {

CardListPublisher::CardListPublisher(CardListBuilder& builder, SharedSections& sections)
    : builder_(builder),
      sections_(sections) {}

void CardListPublisher::buildPasscards(std::u16string_view userFolder) {
    std::vector<std::u16string> passcards;
    std::vector<std::u16string> matchKeys;
    builder_.buildPasscards(userFolder, passcards, matchKeys);
    image_.setBlock(file_mapping::kPasscardsOffset, passcards);
    image_.setBlock(file_mapping::kMatchKeysOffset, matchKeys);
}

void CardListPublisher::buildIdentities(std::u16string_view userFolder) {
    image_.setBlock(file_mapping::kIdentitiesOffset, builder_.buildIdentities(userFolder));
}

void CardListPublisher::copyIntoSection() {
    if (section_) section_->write(image_.data(), image_.size());
}

void CardListPublisher::PublishCardLists(std::u16string_view userFolder) {
    // One walk for all three blocks.
    const CardLists lists = builder_.buildAll(userFolder);
    image_.setBlock(file_mapping::kPasscardsOffset, lists.passcards);
    image_.setBlock(file_mapping::kMatchKeysOffset, lists.matchKeys);
    image_.setBlock(file_mapping::kIdentitiesOffset, lists.identities);
    if (section_) {
        copyIntoSection();
        return;
    }
    SharedSections::Outcome outcome;
    section_ = sections_.create(file_mapping::kName, file_mapping::kSize, outcome);
    if (outcome != SharedSections::Outcome::Created) section_.reset();
    copyIntoSection();
}

void CardListPublisher::RefreshPasscards(std::u16string_view userFolder) {
    buildPasscards(userFolder);
    copyIntoSection();
}

void CardListPublisher::RefreshIdentities(std::u16string_view userFolder) {
    buildIdentities(userFolder);
    copyIntoSection();
}

}  // namespace tarnwick
