#include "font_warm_up.h"

#include <system_error>

#ifdef QUILLMERE_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace quillmere::ui {

FontWarmUp::FontWarmUp() {
#ifdef QUILLMERE_HAVE_FONTCONFIG
    try {
        // Qt's font database begins with FcInit() too, and then finds this configuration current.
        // FcInit() may run on two threads at once: the one that loses the race drops its copy.
        thread_ = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
        // Without a second thread, Qt loads the configuration itself, as it always could.
    }
#endif
}

FontWarmUp::~FontWarmUp() {
    wait();
}

void FontWarmUp::wait() {
    if (thread_.joinable()) thread_.join();
}

}  // namespace quillmere::ui
