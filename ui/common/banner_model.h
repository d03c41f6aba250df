#pragma once
// The banner's animation, without a toolkit: 10 frames a second; every 0.2 s (every second frame)
// the title's reflection takes a new random height and opacity and the next of the ten sparks
// jumps to a new random place, so each spark moves every 2 s. Each spark also plays a motion of
// 20 frames of its own. A front end advances the model on its clock and draws what it says.

#include <array>
#include <cstdint>

#include "random_source.h"
#include "stage.h"

namespace quillmere::ui::common {

class BannerModel {
  public:
    static constexpr int kFramesPerSecond = 10;
    static constexpr int kFrameMilliseconds = 1000 / kFramesPerSecond;
    static constexpr int kFramesPerChange = 2;  // 0.2 s
    static constexpr int kSparkCount = 10;
    static constexpr int kSparkFrames = 20;
    static constexpr int kSparkPoints = 8;  // a four-pointed star: tips and the corners between them

    // Ranges in percent, both ends included.
    static constexpr int kReflectionHeightMin = 91, kReflectionHeightMax = 100;
    static constexpr int kReflectionOpacityMin = 10, kReflectionOpacityMax = 19;
    static constexpr int kSparkOpacityMin = 10, kSparkOpacityMax = 49;
    static constexpr int kSparkSquashMin = 25, kSparkSquashMax = 100;
    // Where sparks land, on the stage: near the middle, where the title sits.
    static constexpr int kSparkLeft = 150, kSparkRight = 450, kSparkTop = 110, kSparkBottom = 240;

    struct Reflection {
        double height = 1.0;  // share of the title's height
        double opacity = 0.1;
    };
    struct Spark {
        Point position;       // on the stage
        double squash = 1.0;  // vertical scale
        double opacity = 0.1;
        int phase = 0;  // frame of its own motion at banner frame 0
    };
    // One frame of a spark's motion.
    struct SparkPose {
        double turn = 0;   // degrees, clockwise on screen
        double swell = 1;  // share of the full size
        double outerRadius = 0;
        double innerRadius = 0;
    };

    explicit BannerModel(RandomSource random);
    explicit BannerModel(std::uint32_t seed) : BannerModel(seededRandomSource(seed)) {}

    // One tick of the 10 fps clock.
    void advanceFrame();

    int frame() const { return frame_; }
    const Reflection& reflection() const { return reflection_; }
    const std::array<Spark, kSparkCount>& sparks() const { return sparks_; }

    // The step of its motion that `spark` shows now, and its pose there.
    int sparkStep(const Spark& spark) const;
    static SparkPose sparkPose(int step);
    // The spark's outline on the stage now: its star, turned, squashed and moved to its place.
    std::array<Point, kSparkPoints> sparkOutline(const Spark& spark) const;

  private:
    void flickerReflection();
    void placeSpark(Spark& spark);

    RandomSource random_;
    int frame_ = 0;
    int nextSpark_ = 0;
    Reflection reflection_;
    std::array<Spark, kSparkCount> sparks_;
};

}  // namespace quillmere::ui::common
