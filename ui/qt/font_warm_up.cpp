#include "font_warm_up.h"

#ifdef QUILLMERE_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace quillmere::ui {

FontWarmUp::FontWarmUp() {
#ifdef QUILLMERE_HAVE_FONTCONFIG
    // Qt's font database starts with FcInit() as well, and then finds this configuration loaded.
    thread_ = std::thread([] { FcInit(); });
#endif
}

FontWarmUp::~FontWarmUp() {
    wait();
}

void FontWarmUp::wait() {
    if (thread_.joinable()) thread_.join();
}

}  // namespace quillmere::ui
