#pragma once
// Fontconfig reads its configuration and its font caches the first time text is laid out, which
// takes tens of milliseconds before a window can draw any text. A FontWarmUp made first thing in
// main() has a second thread do that while the main thread connects to the display and builds
// the window. Where the system has no fontconfig it does nothing.

#include <thread>

namespace quillmere::ui {

class FontWarmUp {
  public:
    FontWarmUp();
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp&) = delete;
    FontWarmUp& operator=(const FontWarmUp&) = delete;

    // Returns once fontconfig is ready. Call it before Qt first lays out text: Qt, finding no
    // configuration yet, would load a second one beside the thread's.
    void wait();

  private:
    std::thread thread_;
};

}  // namespace quillmere::ui
