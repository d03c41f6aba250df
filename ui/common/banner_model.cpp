#include "banner_model.h"

#include <cmath>
#include <numbers>
#include <stdexcept>
#include <utility>

namespace quillmere::ui::common {
namespace {

// The frame count starts again here, a whole number of every cycle the banner has, long before
// an int would overflow (after some six years of play).
constexpr int kFrameWrap = 2'000'000'000;
static_assert(kFrameWrap % (BannerModel::kSparkFrames * BannerModel::kFramesPerChange) == 0);

double percent(int value) {
    return value / 100.0;
}

}  // namespace

BannerModel::BannerModel(RandomSource random) : random_(std::move(random)) {
    if (!random_) throw std::invalid_argument("BannerModel needs a random source");
    flickerReflection();
    for (std::size_t i = 0; i < sparks_.size(); ++i) {
        placeSpark(sparks_[i]);
        // Spread over the motion, so that the sparks do not pulse together.
        sparks_[i].phase = static_cast<int>(i) * kSparkFrames / kSparkCount;
    }
}

void BannerModel::advanceFrame() {
    frame_ = (frame_ + 1) % kFrameWrap;
    if (frame_ % kFramesPerChange != 0) return;
    flickerReflection();
    placeSpark(sparks_[static_cast<std::size_t>(nextSpark_)]);
    nextSpark_ = (nextSpark_ + 1) % kSparkCount;
}

void BannerModel::flickerReflection() {
    reflection_.height = percent(random_(kReflectionHeightMin, kReflectionHeightMax));
    reflection_.opacity = percent(random_(kReflectionOpacityMin, kReflectionOpacityMax));
}

void BannerModel::placeSpark(Spark& spark) {
    const int x = random_(kSparkLeft, kSparkRight);
    const int y = random_(kSparkTop, kSparkBottom);
    spark.position = {static_cast<double>(x), static_cast<double>(y)};
    spark.squash = percent(random_(kSparkSquashMin, kSparkSquashMax));
    spark.opacity = percent(random_(kSparkOpacityMin, kSparkOpacityMax));
}

int BannerModel::sparkStep(const Spark& spark) const {
    return (frame_ + spark.phase) % kSparkFrames;
}

BannerModel::SparkPose BannerModel::sparkPose(int step) {
    // One full turn over the motion, swelling from 0.6 to 1.0 and shrinking to 0.2 and back.
    const double share = static_cast<double>(step) / kSparkFrames;
    const double swell = 0.6 + 0.4 * std::sin(2 * std::numbers::pi * share);
    return {360.0 * share, swell, 14 * swell, 4 * swell};
}

std::array<Point, BannerModel::kSparkPoints> BannerModel::sparkOutline(const Spark& spark) const {
    const SparkPose pose = sparkPose(sparkStep(spark));
    const double turn = pose.turn * std::numbers::pi / 180;
    std::array<Point, kSparkPoints> outline;
    for (int i = 0; i < kSparkPoints; ++i) {
        const double angle = std::numbers::pi / 4 * i;
        const double r = i % 2 == 0 ? pose.outerRadius : pose.innerRadius;
        const double x = r * std::cos(angle);
        const double y = r * std::sin(angle);
        // Turned first, then squashed vertically, then moved to its place.
        const double tx = x * std::cos(turn) - y * std::sin(turn);
        const double ty = x * std::sin(turn) + y * std::cos(turn);
        outline[static_cast<std::size_t>(i)] = {spark.position.x + tx, spark.position.y + spark.squash * ty};
    }
    return outline;
}

}  // namespace quillmere::ui::common
