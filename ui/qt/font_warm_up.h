#pragma once
// Fontconfig reads its whole configuration the first time any text is laid out, before the
// window can draw its first letter. A FontWarmUp made first thing in main() has a second thread
// do that while the main thread connects to the display; wait() before the first text. Where Qt
// draws text without fontconfig, or no thread can be started, it does nothing.

#include <thread>

namespace quillmere::ui {

class FontWarmUp {
  public:
    FontWarmUp();
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp&) = delete;
    FontWarmUp& operator=(const FontWarmUp&) = delete;

    // Returns once fontconfig's configuration is loaded. Call it before Qt first lays out text:
    // finding none loaded yet, Qt would load a second one beside the thread's.
    void wait();

  private:
    std::thread thread_;
};

}  // namespace quillmere::ui
