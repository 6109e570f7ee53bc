// The main window's placement, the splitter's bar and panes, the bands of the
// toolbar and status bar, and the Passcard Editor's address band.
#include "editor_common/frame_layout.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(InitialWindowRect, HalfTheScreenCentredOrAtTheTopLeft) {
    EXPECT_EQ(InitialWindowRect(1280, 1024, WindowPlacement::Centred), (Rect{320, 256, 640, 512}));
    EXPECT_EQ(InitialWindowRect(1280, 1024, WindowPlacement::TopLeft), (Rect{0, 0, 640, 512}));
    EXPECT_EQ(InitialWindowRect(1365, 767, WindowPlacement::Centred), (Rect{341, 192, 682, 383}));
    EXPECT_EQ(InitialWindowRect(0, 0, WindowPlacement::Centred), (Rect{0, 0, 0, 0}));
}

TEST(SplitterLayout, TheBarStartsAtOneThirdAndThePanesMeetIt) {
    SplitterLayout splitter(100, 4);
    splitter.start(900);
    EXPECT_EQ(splitter.barLeft(), 300);
    EXPECT_EQ(splitter.leftPane(30, 500), (Rect{0, 30, 300, 500}));
    EXPECT_EQ(splitter.rightPane(30, 500), (Rect{304, 30, 596, 500}));
}

TEST(SplitterLayout, NeitherPaneGetsNarrowerThanTheEditorsMinimum) {
    SplitterLayout splitter(100, 4);
    splitter.start(240);  // one third is 80: the tree keeps 100
    EXPECT_EQ(splitter.barLeft(), 100);
    splitter.start(900);
    splitter.dragTo(20);
    EXPECT_EQ(splitter.barLeft(), 100);
    splitter.dragTo(850);
    EXPECT_EQ(splitter.barLeft(), 796);  // 900 - 4 - 100
    EXPECT_EQ(splitter.rightPane(0, 10).width, 100);
    splitter.dragTo(450);
    EXPECT_EQ(splitter.barLeft(), 450);
}

TEST(SplitterLayout, ResizingKeepsTheBarWhereItCanAndHoldsThePanes) {
    SplitterLayout splitter(100, 4);
    splitter.start(900);
    splitter.resize(1200);
    EXPECT_EQ(splitter.barLeft(), 300);
    splitter.resize(350);  // the form would get 46: the bar moves left
    EXPECT_EQ(splitter.barLeft(), 246);
    // Too narrow for both panes: the tree keeps its width, the form what is left.
    splitter.resize(150);
    EXPECT_EQ(splitter.barLeft(), 100);
    EXPECT_EQ(splitter.rightPane(0, 10).width, 46);
    splitter.resize(50);
    EXPECT_EQ(splitter.barLeft(), 46);
    EXPECT_EQ(splitter.rightPane(0, 10).width, 0);
}

TEST(SplitterLayout, WithoutAMinimumOnlyTheEdgesHoldTheBar) {
    SplitterLayout splitter(0, 5);
    splitter.start(300);
    EXPECT_EQ(splitter.barLeft(), 100);
    splitter.dragTo(-40);
    EXPECT_EQ(splitter.barLeft(), 0);
    splitter.dragTo(400);
    EXPECT_EQ(splitter.barLeft(), 295);
}

TEST(SplitterArea, TheBandsCountOnlyWhileShown) {
    EXPECT_EQ(SplitterArea(800, 600, {28, true, 20, true}), (Rect{0, 28, 800, 552}));
    EXPECT_EQ(SplitterArea(800, 600, {28, false, 20, true}), (Rect{0, 0, 800, 580}));
    EXPECT_EQ(SplitterArea(800, 600, {28, true, 20, false}), (Rect{0, 28, 800, 572}));
    EXPECT_EQ(SplitterArea(800, 30, {28, true, 20, true}), (Rect{0, 28, 800, 0}));
}

TEST(SplitFormAndAddress, TheAddressBandIs23PixelsOnVersion6And16Elsewhere) {
    const Rect pane{304, 28, 500, 400};
    const FormAndAddress vista = SplitFormAndAddress(pane, 6);
    EXPECT_EQ(vista.form, (Rect{304, 28, 500, 377}));
    EXPECT_EQ(vista.address, (Rect{304, 405, 500, 23}));
    const FormAndAddress other = SplitFormAndAddress(pane, 10);
    EXPECT_EQ(other.form.height, 384);
    EXPECT_EQ(other.address, (Rect{304, 412, 500, 16}));
    const FormAndAddress tiny = SplitFormAndAddress({0, 0, 100, 10}, 5);
    EXPECT_EQ(tiny.form.height, 0);
    EXPECT_EQ(tiny.address, (Rect{0, 0, 100, 10}));
}

}  // namespace
}  // namespace tarnwick
