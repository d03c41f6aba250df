#pragma once
// Where no session bus runs, libdbus falls back to starting one with dbus-launch, and it forks the
// whole program to try even where no dbus-launch is installed. Qt's accessibility bridge asks for
// the session bus once, when first asked whether accessibility is on, so on such a display (an X
// server started by hand, a virtual one, a container) every start paid for a fork that could only
// fail. A DoomedAutolaunchGuard made first thing in main() sees from the environment that the
// fallback cannot succeed and, while it is held, names a bus address that fails at once, without
// a fork; release() puts the environment back, so that the programs the tool starts find it as
// it was. Wherever a bus or a dbus-launch exists, it changes nothing.

#include <functional>
#include <string>

namespace quillmere::ui {

// What the decision looks at, so that it can be tried on made-up environments.
struct AutolaunchEnvironment {
    // The value of an environment variable, or nullptr when it is not set.
    std::function<const char*(const char*)> variable;
    // Whether anything at all is at the path: a file of any kind, executable or not.
    std::function<bool(const std::string&)> exists;
};

// True only when libdbus would have to autolaunch a session bus and has no dbus-launch to do it.
bool sessionBusAutolaunchMustFail(const AutolaunchEnvironment& environment);

class DoomedAutolaunchGuard {
  public:
    // Looks at the process's own environment; make it before any thread is started.
    DoomedAutolaunchGuard();
    ~DoomedAutolaunchGuard();
    DoomedAutolaunchGuard(const DoomedAutolaunchGuard&) = delete;
    DoomedAutolaunchGuard& operator=(const DoomedAutolaunchGuard&) = delete;

    // Unsets the address again, once Qt has asked for the bus (QAccessible::isActive()).
    void release();

  private:
    bool holds_ = false;
};

}  // namespace quillmere::ui
