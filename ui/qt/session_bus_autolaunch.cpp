#include "session_bus_autolaunch.h"

#include <sys/stat.h>

#include <QByteArray>
#include <QtGlobal>
#include <cstdlib>
#include <string_view>

namespace quillmere::ui {
namespace {

// The address named while the guard holds: a transport libdbus does not know, so it fails at once.
constexpr char kUnreachableSessionBus[] = "disabled:";

}  // namespace

bool sessionBusAutolaunchMustFail(const AutolaunchEnvironment& environment) {
    // Any address, even an empty one, is what libdbus connects to (or fails on) without a fork.
    if (environment.variable("DBUS_SESSION_BUS_ADDRESS")) return false;
    // Without a display libdbus declines to autolaunch by itself, before forking.
    const char* display = environment.variable("DISPLAY");
    if (!display || !*display) return false;
    // The user's bus of a login session, which libdbus looks for before autolaunching.
    const char* runtime = environment.variable("XDG_RUNTIME_DIR");
    if (runtime && *runtime && environment.exists(std::string(runtime) + "/bus")) return false;
    // dbus-launch where libdbus runs it from, then wherever execvp() would find it.
    for (const char* folder : {"/usr/bin", "/bin", "/usr/local/bin"}) {
        if (environment.exists(std::string(folder) + "/dbus-launch")) return false;
    }
    const char* path = environment.variable("PATH");
    std::string_view folders = path ? path : "/bin:/usr/bin";  // execvp()'s own default
    while (true) {
        const std::size_t colon = folders.find(':');
        const std::string_view folder = folders.substr(0, colon);
        // An empty entry is the current folder.
        if (environment.exists((folder.empty() ? std::string(".") : std::string(folder)) + "/dbus-launch"))
            return false;
        if (colon == std::string_view::npos) break;
        folders.remove_prefix(colon + 1);
    }
    return true;
}

DoomedAutolaunchGuard::DoomedAutolaunchGuard() {
#if defined(__linux__)
    const AutolaunchEnvironment own{[](const char* name) -> const char* { return std::getenv(name); },
                                    [](const std::string& path) {
                                        struct stat status {};
                                        return ::stat(path.c_str(), &status) == 0;
                                    }};
    if (sessionBusAutolaunchMustFail(own))
        holds_ = qputenv("DBUS_SESSION_BUS_ADDRESS", QByteArray(kUnreachableSessionBus));
#endif
}

DoomedAutolaunchGuard::~DoomedAutolaunchGuard() {
    release();
}

void DoomedAutolaunchGuard::release() {
    // Through Qt, which reads the environment under the same lock on its other threads.
    if (holds_) qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    holds_ = false;
}

}  // namespace quillmere::ui
