// The banner's rules with a scripted chance: what each frame changes, the ranges of every random
// choice, the spark's own motion, and that a seed gives the same banner everywhere.

#include "banner_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <set>
#include <utility>
#include <vector>

using namespace quillmere::ui::common;

namespace {

// Answers every request with the low end, the high end or the middle of its range, and keeps the
// ranges asked for.
struct ScriptedRandom {
    enum class Answer { low, high, middle };
    Answer answer = Answer::middle;
    std::vector<std::pair<int, int>> asked;

    RandomSource source() {
        return [this](int lo, int hi) {
            asked.emplace_back(lo, hi);
            switch (answer) {
                case Answer::low:
                    return lo;
                case Answer::high:
                    return hi;
                case Answer::middle:
                    break;
            }
            return lo + (hi - lo) / 2;
        };
    }
};

using Sparks = std::array<BannerModel::Spark, BannerModel::kSparkCount>;

bool same(const BannerModel::Spark& a, const BannerModel::Spark& b) {
    return a.position == b.position && a.squash == b.squash && a.opacity == b.opacity;
}

}  // namespace

TEST(BannerModelTest, EveryChoiceSpansItsWholeRangeAndNoMore) {
    for (auto answer : {ScriptedRandom::Answer::low, ScriptedRandom::Answer::high}) {
        ScriptedRandom random;
        random.answer = answer;
        BannerModel model(random.source());
        const bool low = answer == ScriptedRandom::Answer::low;
        EXPECT_DOUBLE_EQ(model.reflection().height, low ? 0.91 : 1.00);
        EXPECT_DOUBLE_EQ(model.reflection().opacity, low ? 0.10 : 0.19);
        for (const auto& spark : model.sparks()) {
            EXPECT_DOUBLE_EQ(spark.opacity, low ? 0.10 : 0.49);
            EXPECT_GT(spark.squash, 0.0);
            EXPECT_LE(spark.squash, 1.0);
            // Near the middle of the stage, and with room for its star on every side.
            EXPECT_GE(spark.position.x, 14);
            EXPECT_LE(spark.position.x, kStageWidth - 14);
            EXPECT_GE(spark.position.y, 14);
            EXPECT_LE(spark.position.y, kStageHeight - 14);
        }
    }
}

TEST(BannerModelTest, OddFramesDrawNothingEvenFramesFlickerAndMoveTheNextSpark) {
    ScriptedRandom random;
    BannerModel model(random.source());
    // At the start: the reflection, then the ten sparks of four choices each.
    EXPECT_EQ(random.asked.size(), 2u + 4u * BannerModel::kSparkCount);

    std::vector<int> moves(BannerModel::kSparkCount, 0);
    std::map<int, int> lastMove;
    for (int frame = 1; frame <= 400; ++frame) {
        // A spark comes back every 20 frames to the other end of its ranges, so each move shows.
        random.answer = frame / 20 % 2 == 0 ? ScriptedRandom::Answer::low : ScriptedRandom::Answer::high;
        random.asked.clear();
        const Sparks before = model.sparks();
        model.advanceFrame();
        ASSERT_EQ(model.frame(), frame);
        const bool change = frame % 2 == 0;
        EXPECT_EQ(random.asked.size(), change ? 6u : 0u) << "frame " << frame;
        int moved = -1, count = 0;
        for (int s = 0; s < BannerModel::kSparkCount; ++s) {
            if (!same(before[static_cast<std::size_t>(s)], model.sparks()[static_cast<std::size_t>(s)])) {
                moved = s;
                ++count;
            }
        }
        ASSERT_EQ(count, change ? 1 : 0) << "frame " << frame;
        if (!change) continue;
        EXPECT_EQ(moved, (frame / 2 - 1) % BannerModel::kSparkCount);  // in turn
        if (lastMove.count(moved)) {
            EXPECT_EQ(frame - lastMove[moved], 20);  // every 2 s
        }
        lastMove[moved] = frame;
        ++moves[static_cast<std::size_t>(moved)];
        const double expected = random.answer == ScriptedRandom::Answer::low ? 0.91 : 1.0;
        EXPECT_DOUBLE_EQ(model.reflection().height, expected);
    }
    EXPECT_EQ(moves, std::vector<int>(BannerModel::kSparkCount, 20));
}

TEST(BannerModelTest, EachSparkPlaysATwentyFrameMotionOutOfStepWithTheOthers) {
    BannerModel model(7u);
    std::set<int> phases;
    for (const auto& spark : model.sparks()) phases.insert(model.sparkStep(spark));
    EXPECT_EQ(phases.size(), static_cast<std::size_t>(BannerModel::kSparkCount));

    const auto& spark = model.sparks()[3];
    const int first = model.sparkStep(spark);
    for (int i = 1; i <= 45; ++i) {
        model.advanceFrame();
        EXPECT_EQ(model.sparkStep(model.sparks()[3]), (first + i) % BannerModel::kSparkFrames);
    }

    double smallest = 1e9, largest = 0;
    for (int step = 0; step < BannerModel::kSparkFrames; ++step) {
        const auto pose = BannerModel::sparkPose(step);
        EXPECT_NEAR(pose.turn, 18.0 * step, 1e-9);  // a whole turn over the motion
        EXPECT_GT(pose.outerRadius, pose.innerRadius);
        smallest = std::min(smallest, pose.outerRadius);
        largest = std::max(largest, pose.outerRadius);
    }
    EXPECT_GT(largest / smallest, 2.0);  // it visibly swells and shrinks
}

TEST(BannerModelTest, TheOutlineIsTheTurnedSquashedStarAroundTheSparksPlace) {
    BannerModel model(11u);
    for (int i = 0; i < 13; ++i) model.advanceFrame();
    for (const auto& spark : model.sparks()) {
        const auto pose = BannerModel::sparkPose(model.sparkStep(spark));
        const auto outline = model.sparkOutline(spark);
        for (std::size_t i = 0; i < outline.size(); ++i) {
            // Undo the squash: each point lies at its radius, tips at the outer one.
            const double dx = outline[i].x - spark.position.x;
            const double dy = (outline[i].y - spark.position.y) / spark.squash;
            EXPECT_NEAR(std::hypot(dx, dy), i % 2 == 0 ? pose.outerRadius : pose.innerRadius, 1e-9);
        }
        // The first tip points in the direction of the turn (clockwise on a y-down screen).
        const double dx = outline[0].x - spark.position.x;
        const double dy = (outline[0].y - spark.position.y) / spark.squash;
        const double angle = std::atan2(dy, dx) * 180 / 3.14159265358979323846;
        EXPECT_NEAR(std::fmod(angle + 360, 360), std::fmod(pose.turn, 360), 1e-6);
    }
}

TEST(BannerModelTest, ASeedGivesTheSameBannerOnEverySystem) {
    BannerModel a(42u), b(42u), c(43u);
    bool differs = false;
    for (int i = 0; i < 60; ++i) {
        for (BannerModel* model : {&a, &b, &c}) model->advanceFrame();
        EXPECT_EQ(a.reflection().height, b.reflection().height);
        EXPECT_EQ(a.reflection().opacity, b.reflection().opacity);
        for (std::size_t s = 0; s < a.sparks().size(); ++s) EXPECT_TRUE(same(a.sparks()[s], b.sparks()[s]));
        differs =
            differs || a.reflection().height != c.reflection().height || !same(a.sparks()[0], c.sparks()[0]);
    }
    EXPECT_TRUE(differs);

    // The engine's numbers are fixed by the language, not by the standard library: the first
    // output of a Mersenne Twister seeded with 5489 is 3499211612.
    EXPECT_EQ(seededRandomSource(5489)(0, std::numeric_limits<int>::max()), 3499211612 - (1LL << 31));
}

TEST(BannerModelTest, TheSeededSourceDrawsEveryValueOfItsRangeAlike) {
    RandomSource random = seededRandomSource(1);
    std::map<int, int> seen;
    for (int i = 0; i < 7000; ++i) ++seen[random(-3, 3)];
    ASSERT_EQ(seen.size(), 7u);
    EXPECT_EQ(seen.begin()->first, -3);
    EXPECT_EQ(seen.rbegin()->first, 3);
    for (const auto& [value, count] : seen) EXPECT_NEAR(count, 1000, 150) << value;
    EXPECT_EQ(random(5, 5), 5);
    EXPECT_THROW(random(2, 1), std::invalid_argument);
    EXPECT_THROW(BannerModel(RandomSource{}), std::invalid_argument);
}
