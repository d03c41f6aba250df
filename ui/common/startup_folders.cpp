#include "startup_folders.h"

namespace quillmere::ui::common {

StartupFolders windowsStartupFolders() {
    return {"C:\\", "c:\\ati\\", "C:\\ati", "C:\\"};
}

StartupFolders homeStartupFolders(const std::string& home) {
    std::string base = home;
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    const std::string package = base == "/" ? "/ati" : base + "/ati";
    return {"/", package + '/', package, base};
}

}  // namespace quillmere::ui::common
