// The drive list: what it shows at start, and that it looks the drives up again whenever the
// user comes to it, keeping the chosen drive and signalling no change for it.

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include "drive_list.h"
#include "form1.h"

using namespace quillmere::ui;

namespace {

QStringList roots(const QComboBox& list) {
    QStringList found;
    for (int i = 0; i < list.count(); ++i) found << list.itemData(i).toString();
    return found;
}

// A lister whose answer the test changes, counting how often it is asked.
struct FakeMounts {
    std::vector<Drive> drives{{"/", "/"}};
    int asked = 0;
    DriveList::Lister lister() {
        return [this] {
            ++asked;
            return drives;
        };
    }
};

}  // namespace

class DriveListTest : public QObject {
    Q_OBJECT

  private slots:
    void theStartDrivesStandUntilTheUserComesToTheList();
    void comingToTheListListsTheDrivesAgainAndKeepsTheChoice();
    void aChosenDriveThatWentAwayStaysChosen();
    void thisMachineStartsWithItsSystemDriveAlone();
};

void DriveListTest::theStartDrivesStandUntilTheUserComesToTheList() {
    FakeMounts mounts;
    mounts.drives.push_back({"/media/stick", "/media/stick"});
    DriveList list({{"/", "/"}}, mounts.lister());
    QSignalSpy changed(&list, &DriveList::driveChanged);
    list.setDrive("/");
    QCOMPARE(changed.count(), 1);
    QCOMPARE(roots(list), QStringList{"/"});
    QCOMPARE(mounts.asked, 0);

    // Without a lister, the list keeps what it was given.
    DriveList fixed({{"/", "/"}, {"/home", "/home"}});
    fixed.refresh();
    QCOMPARE(roots(fixed), (QStringList{"/", "/home"}));
}

void DriveListTest::comingToTheListListsTheDrivesAgainAndKeepsTheChoice() {
    FakeMounts mounts;
    QWidget window;
    auto* other = new QLineEdit(&window);
    auto* list = new DriveList({{"/", "/"}}, mounts.lister(), &window);
    list->move(0, 40);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    other->setFocus();
    list->setDrive("/");
    QSignalSpy changed(list, &DriveList::driveChanged);

    // The focus: a drive mounted since start shows up; the choice and its text stay.
    mounts.drives = {{"/", "/"}, {"/media/stick", "/media/stick"}};
    list->setFocus(Qt::TabFocusReason);
    QCOMPARE(mounts.asked, 1);
    QCOMPARE(roots(*list), (QStringList{"/", "/media/stick"}));
    QCOMPARE(list->drive(), QString("/"));
    QCOMPARE(list->currentText(), QString("/"));

    // Opening it, with a chosen drive that moved in the list.
    list->setDrive("/media/stick");
    QCOMPARE(changed.count(), 1);
    mounts.drives = {{"/", "/"}, {"/data", "/data"}, {"/media/stick", "/media/stick"}};
    list->showPopup();
    QCOMPARE(mounts.asked, 2);
    QCOMPARE(roots(*list), (QStringList{"/", "/data", "/media/stick"}));
    QCOMPARE(list->drive(), QString("/media/stick"));
    list->hidePopup();

    // The wheel over it without the focus: listed again first, then the wheel moves the choice up
    // from the stick, which is a change.
    other->setFocus();
    mounts.drives = {{"/", "/"}, {"/media/stick", "/media/stick"}};
    const int askedBefore = mounts.asked;
    const QPointF centre = QPointF(list->rect().center());
    QWheelEvent wheel(centre, list->mapToGlobal(centre), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(list, &wheel);
    QCOMPARE(mounts.asked, askedBefore + 1);
    QCOMPARE(roots(*list), (QStringList{"/", "/media/stick"}));
    QCOMPARE(list->drive(), QString("/"));
    QCOMPARE(changed.count(), 2);
}

void DriveListTest::aChosenDriveThatWentAwayStaysChosen() {
    FakeMounts mounts;
    mounts.drives = {{"/", "/"}, {"/media/stick", "/media/stick"}};
    DriveList list({{"/", "/"}}, mounts.lister());
    list.refresh();
    list.setDrive("/media/stick");
    QSignalSpy changed(&list, &DriveList::driveChanged);
    mounts.drives = {{"/", "/"}};
    list.refresh();
    QCOMPARE(roots(list), (QStringList{"/", "/media/stick"}));
    QCOMPARE(list.drive(), QString("/media/stick"));
    QCOMPARE(changed.count(), 0);

    // Before start-up chooses a drive, a look-up chooses none either.
    DriveList unchosen({}, mounts.lister());
    unchosen.refresh();
    QCOMPARE(unchosen.currentIndex(), -1);
    QCOMPARE(roots(unchosen), QStringList{"/"});
}

void DriveListTest::thisMachineStartsWithItsSystemDriveAlone() {
    const Form1Setup setup = Form1Setup::forThisMachine();
    QCOMPARE(setup.drives.size(), std::size_t(1));
    QCOMPARE(setup.drives.front().root.toStdString(), setup.folders.systemDrive);
    QVERIFY(setup.refreshDrives);
    const std::vector<Drive> all = setup.refreshDrives();
    QVERIFY(!all.empty());
    QCOMPARE(all.front().root.toStdString(), setup.folders.systemDrive);
}

QTEST_MAIN(DriveListTest)
#include "drive_list_test.moc"
