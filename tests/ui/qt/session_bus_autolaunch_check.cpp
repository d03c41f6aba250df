// Started by session_bus_autolaunch_test.sh on an X display of its own, as the tool starts:
//   quillmere_session_bus_autolaunch_check guarded|unguarded
// makes the application, asks whether accessibility is on (Qt's bridge then looks for the
// session bus) and prints what that cost in child processes, and whether the address is still set:
//   children MINOR_FAULTS address set|unset

#include <sys/resource.h>

#include <QAccessible>
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "session_bus_autolaunch.h"

// A child that libdbus forked and reaped leaves its page faults here, even one whose exec failed.
static long childFaults() {
    rusage children{};
    getrusage(RUSAGE_CHILDREN, &children);
    return children.ru_minflt;
}

int main(int argc, char** argv) {
    if (argc != 2 || (std::strcmp(argv[1], "guarded") != 0 && std::strcmp(argv[1], "unguarded") != 0)) {
        std::fprintf(stderr, "usage: %s guarded|unguarded\n", argv[0]);
        return 2;
    }
    // Children reaped before an exec count too: only what comes after this point is ours.
    const long before = childFaults();
    std::optional<quillmere::ui::DoomedAutolaunchGuard> guard;
    if (std::strcmp(argv[1], "guarded") == 0) guard.emplace();
    QApplication app(argc, argv);
    QAccessible::isActive();
    if (guard) guard->release();
    std::printf("children %ld address %s\n", childFaults() - before,
                std::getenv("DBUS_SESSION_BUS_ADDRESS") ? "set" : "unset");
    return 0;
}
