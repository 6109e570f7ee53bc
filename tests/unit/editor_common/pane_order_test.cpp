// The order the keyboard visits an editor's panes in.
#include "editor_common/pane_order.h"

#include <gtest/gtest.h>

#include <array>

namespace tarnwick {
namespace {

constexpr std::array<bool, 3> kAllOpen{true, true, true};

TEST(NextPane, StepsEitherWayAndWrapsRound) {
    EXPECT_EQ(NextPane(kAllOpen, 0, false), 1u);
    EXPECT_EQ(NextPane(kAllOpen, 1, false), 2u);
    EXPECT_EQ(NextPane(kAllOpen, 2, false), 0u);
    EXPECT_EQ(NextPane(kAllOpen, 0, true), 2u);
    EXPECT_EQ(NextPane(kAllOpen, 2, true), 1u);
}

TEST(NextPane, WithoutACurrentPaneStartsAtTheEndOfTheDirection) {
    EXPECT_EQ(NextPane(kAllOpen, std::nullopt, false), 0u);
    EXPECT_EQ(NextPane(kAllOpen, std::nullopt, true), 2u);
    EXPECT_EQ(NextPane(kAllOpen, 7, false), 0u);  // a pane the window does not have
    constexpr std::array<bool, 3> firstClosed{false, true, true};
    EXPECT_EQ(NextPane(firstClosed, std::nullopt, false), 1u);
}

TEST(NextPane, PassesOverClosedPanes) {
    // The Identity Editor's form is disabled while no card is shown.
    constexpr std::array<bool, 3> formClosed{true, true, false};
    EXPECT_EQ(NextPane(formClosed, 1, false), 0u);
    EXPECT_EQ(NextPane(formClosed, 0, true), 1u);
    // The focus may sit in a pane that has just been closed.
    EXPECT_EQ(NextPane(formClosed, 2, false), 0u);
    EXPECT_EQ(NextPane(formClosed, 2, true), 1u);
}

TEST(NextPane, TheOnlyOpenPaneIsItsOwnNextAndNoOpenPaneGivesNothing) {
    constexpr std::array<bool, 3> onlyMiddle{false, true, false};
    EXPECT_EQ(NextPane(onlyMiddle, 1, false), 1u);
    EXPECT_EQ(NextPane(onlyMiddle, 1, true), 1u);
    constexpr std::array<bool, 3> none{false, false, false};
    EXPECT_EQ(NextPane(none, 0, false), std::nullopt);
    EXPECT_EQ(NextPane(none, std::nullopt, true), std::nullopt);
    EXPECT_EQ(NextPane(std::span<const bool>{}, std::nullopt, false), std::nullopt);
}

}  // namespace
}  // namespace tarnwick
