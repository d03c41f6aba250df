// Whether libdbus's autolaunch of a session bus must fail: only with no address, a display, no
// user bus and no dbus-launch anywhere libdbus would run one from. Any doubt leaves it alone.

#include "session_bus_autolaunch.h"

#include <QTest>
#include <map>
#include <set>

using namespace quillmere::ui;

namespace {

// A made-up process: its variables and the paths where something exists.
struct World {
    std::map<std::string, std::string> variables{{"DISPLAY", ":1"}, {"PATH", "/opt/tools/bin:/usr/games"}};
    std::set<std::string> files;

    bool mustFail() const {
        return sessionBusAutolaunchMustFail(
            {[this](const char* name) -> const char* {
                 const auto found = variables.find(name);
                 return found == variables.end() ? nullptr : found->second.c_str();
             },
             [this](const std::string& path) { return files.count(path) > 0; }});
    }
};

}  // namespace

class SessionBusAutolaunchTest : public QObject {
    Q_OBJECT

  private slots:
    void failsOnlyWithNothingToLaunchOrReach() {
        World bare;
        QVERIFY(bare.mustFail());

        World withAddress;
        withAddress.variables["DBUS_SESSION_BUS_ADDRESS"] = "unix:path=/run/user/1000/bus";
        QVERIFY(!withAddress.mustFail());
        // An empty address is libdbus's own error, reached without a fork: not ours to replace.
        withAddress.variables["DBUS_SESSION_BUS_ADDRESS"] = "";
        QVERIFY(!withAddress.mustFail());

        World noDisplay;
        noDisplay.variables.erase("DISPLAY");
        QVERIFY(!noDisplay.mustFail());
        noDisplay.variables["DISPLAY"] = "";
        QVERIFY(!noDisplay.mustFail());
    }

    void aUserBusIsLeftToLibdbus() {
        World world;
        world.variables["XDG_RUNTIME_DIR"] = "/run/user/1000";
        QVERIFY(world.mustFail());
        world.files.insert("/run/user/1000/bus");
        QVERIFY(!world.mustFail());
        // A runtime folder that is named but empty of a bus changes nothing.
        world.variables["XDG_RUNTIME_DIR"] = "";
        QVERIFY(world.mustFail());
    }

    void dbusLaunchAnywhereLibdbusLooksIsLeftToRun() {
        for (const char* place : {"/usr/bin/dbus-launch", "/bin/dbus-launch", "/usr/local/bin/dbus-launch",
                                  "/opt/tools/bin/dbus-launch", "/usr/games/dbus-launch"}) {
            World world;
            world.files.insert(place);
            QVERIFY2(!world.mustFail(), place);
        }
        // Not where libdbus looks: a folder off PATH, or a name that only ends the same.
        World elsewhere;
        elsewhere.files = {"/opt/other/dbus-launch", "/opt/tools/bin/my-dbus-launch",
                           "/opt/tools/dbus-launch"};
        QVERIFY(elsewhere.mustFail());
    }

    void pathIsReadAsExecvpReadsIt() {
        // Without PATH, execvp() searches /bin and /usr/bin, which are looked at anyway.
        World noPath;
        noPath.variables.erase("PATH");
        QVERIFY(noPath.mustFail());
        noPath.files.insert("/usr/bin/dbus-launch");
        QVERIFY(!noPath.mustFail());

        // Empty entries, leading, inner or trailing, stand for the current folder.
        for (const char* path : {":/usr/games", "/usr/games::/opt", "/usr/games:", ""}) {
            World world;
            world.variables["PATH"] = path;
            QVERIFY2(world.mustFail(), path);
            world.files.insert("./dbus-launch");
            QVERIFY2(!world.mustFail(), path);
        }
        World noEmptyEntry;
        noEmptyEntry.files.insert("./dbus-launch");
        QVERIFY(noEmptyEntry.mustFail());

        // The last entry is searched as well as the first.
        World last;
        last.variables["PATH"] = "/a:/b:/c";
        last.files.insert("/c/dbus-launch");
        QVERIFY(!last.mustFail());
    }
};

QTEST_GUILESS_MAIN(SessionBusAutolaunchTest)
#include "session_bus_autolaunch_test.moc"
