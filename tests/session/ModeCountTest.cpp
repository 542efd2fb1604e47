// The Mode list line shown as chosen is the mode the client starts in, and
// MODECNT follows it.
#include <gtest/gtest.h>

#include <vector>

#include "session/ListedModes.h"
#include "settings/SettingsRecord.h"

namespace {

class ModeCount : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(CRegistry::CrateInstance()); }
    void TearDown() override { CRegistry::ReleaseInstance(); }

    // MODECNT and the fields as a saved file or an earlier choice left them.
    static void Start(int32_t position, int32_t width, int32_t height, int32_t bits = 16)
    {
        CRegistry& s = *SetupSettings;
        s.MODECNT = position;
        s.WIDTH = width;
        s.HEIGHT = height;
        s.BITPERPIXEL = bits;
    }

    int Reconcile() { return ReconcileModeCount(lines_, count_); }

    void List(const std::vector<ScreenMode>& modes)
    {
        count_ = static_cast<int>(modes.size());
        for (int i = 0; i < count_; ++i)
            lines_[i] = modes[static_cast<size_t>(i)];
    }

    static int32_t Position() { return SetupSettings->MODECNT; }

private:
    ScreenMode lines_[ScreenModeList::kSize] = {};
    int count_ = 0;
};

// As Wine lists them: 800 x 600 twice, for two 16-bit pixel formats.
const std::vector<ScreenMode> kWineLines = {
    {640, 480, 16}, {768, 576, 16}, {800, 600, 16}, {800, 600, 16}, {1024, 768, 16}};

TEST_F(ModeCount, AgreeingPositionAndFieldsStayEvenOnTheSecondOfTwoEqualLines)
{
    List(kWineLines);
    Start(0, 640, 480);
    EXPECT_EQ(Reconcile(), 0);
    EXPECT_EQ(Position(), 0);
    Start(3, 800, 600);
    EXPECT_EQ(Reconcile(), 3);
    EXPECT_EQ(Position(), 3);
}

TEST_F(ModeCount, TheFieldsDecideWhereThePositionShowsAnotherModeOrNone)
{
    List(kWineLines);
    const struct {
        int32_t position;
        int expected;
    } cases[] = {{1, 4}, {-1, 4}, {5, 4}, {40, 4}};
    for (const auto& c : cases) {
        Start(c.position, 1024, 768);
        EXPECT_EQ(Reconcile(), c.expected) << c.position;
        EXPECT_EQ(Position(), c.expected) << c.position;
    }
    Start(4, 800, 600);  // of two equal lines, the first
    EXPECT_EQ(Reconcile(), 2);
    EXPECT_EQ(Position(), 2);
}

TEST_F(ModeCount, AModeNoLineShowsSelectsNothingAndChangesNothing)
{
    List(kWineLines);
    const struct {
        int32_t width, height, bits;
    } unlisted[] = {{1024, 768, 32}, {1280, 1024, 16}, {1024, 480, 16}};
    for (const auto& mode : unlisted) {
        Start(1, mode.width, mode.height, mode.bits);
        EXPECT_EQ(Reconcile(), -1) << mode.width << "x" << mode.height << "x" << mode.bits;
        EXPECT_EQ(Position(), 1);
        EXPECT_EQ(SetupSettings->WIDTH, mode.width);
    }
    List({});
    Start(0, 640, 480);
    EXPECT_EQ(Reconcile(), -1);
    EXPECT_EQ(Position(), 0);
}

}  // namespace
