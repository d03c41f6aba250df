// The main window: start-up with and without the package folder, the folder and drive lists, its
// frame and layout, and whole runs from the "Start modding" button.

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <map>
#include <set>

#include "package_fixture.h"
#include "temp_dir.h"
#include "ui_test_support.h"

using namespace quillmere;
using namespace quillmere::ui;
using quillmere::ui::testing::Form1Harness;

namespace {

QStringList itemTexts(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
    return texts;
}

template <typename T = QWidget>
T* control(const QWidget& form, const char* name) {
    return form.findChild<T*>(QString::fromLatin1(name));
}

// An accessor whose first listing fails, as a folder that vanished mid-run would.
class FailingAccessor : public FileSystemAccessor {
  public:
    std::vector<ScannedFile> listFiles(const std::string& folder) override {
        throw ScanError("Cannot list " + folder + ": device not ready");
    }
};

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

  private slots:
    void startUpDependsOnThePackageFolder_data();
    void startUpDependsOnThePackageFolder();
    void runsWorkOnTheOpenFolderNotTheHighlightedOne();
    void theFrameIsFixedAndTheControlsSitInTheirPlaces();
    void aRunFromTheButtonModsThePackage();
    void anErrorThatEscapesTheRunIsNamedAndEndsTheProgram();
    void realMessageBoxesHaveTheirButtonsIconsAndCaptions();
};

void Form1Test::startUpDependsOnThePackageFolder_data() {
    QTest::addColumn<QString>("packageAs");  // what stands at <home>/ati
    QTest::addColumn<bool>("warned");
    QTest::newRow("folder") << "folder" << false;
    QTest::newRow("missing") << "nothing" << true;
    QTest::newRow("a file of that name") << "file" << true;
}

void Form1Test::startUpDependsOnThePackageFolder() {
    QFETCH(QString, packageAs);
    QFETCH(bool, warned);
    Form1Harness harness;
    if (packageAs == "folder") harness.makeFolder("ati");
    QFile file(harness.package());
    if (packageAs == "file") QVERIFY(file.open(QIODevice::WriteOnly));
    Form1 form(harness.setup);
    QStringList opened;
    QObject::connect(form.dir1(), &FolderList::pathChanged, [&opened](const QString& path) { opened << path; });
    form.start();

    const QString warning = "Make sure you select the ATI folder before you start.";
    // Listed once: choosing the drive at start-up does not list the drive's top folder first.
    QCOMPARE(opened, QStringList{form.dir1()->path()});
    QCOMPARE(harness.boxes.texts(), warned ? QStringList{warning} : QStringList{});
    if (warned) QCOMPARE(harness.boxes.shown[0].parentVisible, false);  // before the window
    QCOMPARE(form.dir1()->path(), warned ? harness.home() : harness.package());
    QCOMPARE(form.drive1()->drive(), QString("/"));
    QVERIFY(form.isVisible());
    QCOMPARE(form.focusWidget(), form.dir1());
}

void Form1Test::runsWorkOnTheOpenFolderNotTheHighlightedOne() {
    Form1Harness harness;
    harness.makeFolder("ati/beta");
    harness.makeFolder("ati/Alpha");
    Form1 form(harness.setup);
    form.start();
    FolderList* dir1 = form.dir1();
    const std::string package = harness.package().toStdString();

    // The path from the drive down, then the subfolders in name order.
    QCOMPARE(itemTexts(dir1).first(), QString("/"));
    QCOMPARE(itemTexts(dir1).mid(dir1->count() - 4), (QStringList{"home", "ati", "Alpha", "beta"}));

    const QPoint beta = dir1->visualItemRect(dir1->item(dir1->count() - 1)).center();
    QTest::mouseClick(dir1->viewport(), Qt::LeftButton, {}, beta);
    QCOMPARE(dir1->currentItem()->text(), QString("beta"));
    QCOMPARE(form.host().chosenFolder(), package);
    QTest::mouseDClick(dir1->viewport(), Qt::LeftButton, {}, beta);
    QCOMPARE(form.host().chosenFolder(), package + "/beta");

    // Enter opens the highlighted line, here a level of the path above.
    dir1->setCurrentRow(dir1->count() - 3);
    QTest::keyClick(dir1, Qt::Key_Return);
    QCOMPARE(form.host().chosenFolder(), harness.home().toStdString());

    // A folder that cannot be listed opens with no subfolders.
    dir1->setPath(harness.home() + "/gone");
    QCOMPARE(itemTexts(dir1).last(), QString("gone"));

    // Choosing a drive moves the folder list there.
    form.drive1()->setCurrentIndex(form.drive1()->findData(harness.home()));
    QCOMPARE(dir1->path(), harness.home());
}

void Form1Test::theFrameIsFixedAndTheControlsSitInTheirPlaces() {
    Form1Harness harness;
    Form1 form(harness.setup);
    form.start();
    QCOMPARE(form.size(), QSize(608, 305));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    const Qt::WindowFlags flags = form.windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint) && !flags.testFlag(Qt::WindowMaximizeButtonHint));

    // Left, top, width, height in twips, 15 to the pixel.
    const std::map<QString, QRect> twips = {
        {"Dir1", {360, 120, 2415, 2115}},       {"Drive1", {360, 2280, 2415, 315}},
        {"Command1", {2880, 240, 1935, 615}},   {"Command2", {4920, 240, 1935, 615}},
        {"cmGO", {3840, 960, 1935, 615}},       {"Picture1", {6840, 240, 2085, 2070}},
        {"ShockwaveFlash1", {0, 0, 9135, 4695}}};
    for (const auto& [name, t] : twips) {
        QWidget* widget = form.findChild<QWidget*>(name);
        QCOMPARE(widget->geometry(), QRect(t.x() / 15, t.y() / 15, t.width() / 15, t.height() / 15));
        // Each control shows above the banner, which shows wherever they leave room.
        QWidget* top = form.childAt(widget->geometry().center());
        QVERIFY2(top == widget || widget->isAncestorOf(top), qPrintable(name));
    }
    QCOMPARE(form.childAt(300, 250), control(form, "ShockwaveFlash1"));
    // The hidden controls are window state: no widget of theirs can come into view.
    for (const char* name : {"Label1", "Label2", "Label3", "Label4", "Label5", "List1", "List2"}) {
        QVERIFY2(!control(form, name), name);
    }
    QCOMPARE(form.host().hidden().label1(), std::string("Label1"));
    QVERIFY(form.host().hidden().list1().empty() && form.host().hidden().list2().empty());

    // Tab: Dir1, Drive1, the hidden List1 (the window itself holds the focus, no control shows
    // it), the banner, then the three buttons, and round again; Shift+Tab goes back.
    const auto focused = [&form] {
        QWidget* focus = form.focusWidget();
        return focus == &form ? QString("List1") : focus ? focus->objectName() : QString();
    };
    const auto press = [&form](Qt::Key key) {
        QWidget* target = form.focusWidget() ? form.focusWidget() : &form;
        QTest::keyClick(target, key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
    };
    QCOMPARE(focused(), QString("Dir1"));
    QStringList order;
    for (int i = 0; i < 7; ++i) {
        press(Qt::Key_Tab);
        order << focused();
    }
    QCOMPARE(order,
             (QStringList{"Drive1", "List1", "ShockwaveFlash1", "Command1", "Command2", "cmGO", "Dir1"}));
    QStringList back;
    for (int i = 0; i < 3; ++i) {
        press(Qt::Key_Backtab);
        back << focused();
    }
    QCOMPARE(back, (QStringList{"cmGO", "Command2", "Command1"}));
    press(Qt::Key_Backtab);
    press(Qt::Key_Backtab);
    QCOMPARE(focused(), QString("List1"));
}

void Form1Test::aRunFromTheButtonModsThePackage() {
    using namespace quillmere::testing;
    Form1Harness harness;
    const SamplePackage package = writeSamplePackage(harness.package().toStdString());
    const std::set<std::string> packageFiles = {package.installIni.string(), package.c2Inf.string(),
                                                package.cxInf.string(), package.setup.string()};
    std::map<QString, QString> sizeBeforeRun;
    for (const std::string& file : packageFiles) {
        sizeBeforeRun[QString::fromStdString(file)] = QString::number(std::filesystem::file_size(file));
    }
    harness.boxes.answerYes = true;
    std::vector<std::string> started;
    std::vector<Qt::CursorShape> cursorWhileWorking;
    harness.setup.run.startProgram = [&](const std::string& path) {
        started.push_back(path);
        cursorWhileWorking.push_back(QApplication::overrideCursor()->shape());
    };
    Form1 form(harness.setup);
    form.start();

    QTest::mouseClick(control<QPushButton>(form, "cmGO"), Qt::LeftButton);

    QCOMPARE(harness.boxes.texts(),
             (QStringList{"Modded the install.ini", "modded the C2xxxinf file", "modded the CXxxxinf file",
                          "Modding complete, thanks for using the modder!",
                          "Do you want to install the drivers now?"}));
    QCOMPARE(harness.boxes.shown.back().title, QString("Install now?"));
    QCOMPARE(started, std::vector<std::string>{package.setup.string()});
    QCOMPARE(cursorWhileWorking, std::vector<Qt::CursorShape>{Qt::WaitCursor});
    QCOMPARE(QApplication::overrideCursor(), nullptr);

    const common::HiddenControls& hidden = form.host().hidden();
    QCOMPARE(hidden.foundSlots().text(FoundSlot::Label2), package.installIni.string());
    QCOMPARE(hidden.foundSlots().text(FoundSlot::Label3), package.c2Inf.string());
    QCOMPARE(hidden.foundSlots().text(FoundSlot::Label4), package.cxInf.string());
    QCOMPARE(hidden.foundSlots().text(FoundSlot::Label5), package.setup.string());
    // The last file examined lies in the last folder walked.
    QCOMPARE(std::filesystem::path(hidden.label1()).parent_path().string(),
             package.c2Inf.parent_path().string());

    // Every hit once, beside its size as the scan found it.
    const std::vector<std::string>& paths = hidden.list1();
    const std::vector<std::string>& sizes = hidden.list2();
    QCOMPARE(sizes.size(), paths.size());
    std::set<std::string> hits;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        hits.insert(paths[i]);
        QCOMPARE(QString::fromStdString(sizes[i]), sizeBeforeRun[QString::fromStdString(paths[i])]);
    }
    QCOMPARE(hits, packageFiles);

    QCOMPARE(readBytes(package.installIni), testData("expected/install.ini"));
    QCOMPARE(readBytes(package.c2Inf), testData("expected/C2_59642.INF"));
    QCOMPARE(readBytes(package.cxInf), testData("expected/CX_59642.INF"));
    QCOMPARE(harness.quitCalls, 1);
    QVERIFY(!form.isVisible());
}

void Form1Test::anErrorThatEscapesTheRunIsNamedAndEndsTheProgram() {
    Form1Harness harness;
    harness.makeFolder("ati");
    harness.setup.run.makeAccessor = [] { return std::make_unique<FailingAccessor>(); };
    Form1 form(harness.setup);
    form.start();

    QTest::mouseClick(control<QPushButton>(form, "cmGO"), Qt::LeftButton);

    QCOMPARE(harness.boxes.texts(), QStringList{"Cannot list " + harness.package() + ": device not ready"});
    QCOMPARE(harness.quitCalls, 1);
    QVERIFY(!form.isVisible());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void Form1Test::realMessageBoxesHaveTheirButtonsIconsAndCaptions() {
    struct Seen {
        QString title, text;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton byDefault;
    };
    std::vector<Seen> seen;
    // Describes the box once it is up, then answers it from the keyboard.
    const auto answerWith = [&seen](Qt::Key key) {
        QTimer::singleShot(0, [&seen, key] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            seen.push_back(
                {box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                 box->defaultButton() ? box->standardButton(box->defaultButton()) : QMessageBox::NoButton});
            QTest::keyClick(box, key);
        });
    };
    MessageBoxes boxes;
    QWidget owner;
    owner.show();

    answerWith(Qt::Key_Return);
    boxes.inform(&owner, "Modded the install.ini");
    QCOMPARE(seen.size(), std::size_t(1));
    QCOMPARE(seen[0].title, QString("Quillmere Mod Tool"));
    QCOMPARE(seen[0].text, QString("Modded the install.ini"));
    QCOMPARE(seen[0].icon, QMessageBox::NoIcon);
    QCOMPARE(seen[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

    answerWith(Qt::Key_Return);  // the default button
    QCOMPARE(boxes.askYesNo(&owner, "Install?", "Install now?"), true);
    answerWith(Qt::Key_Escape);  // the close box
    QCOMPARE(boxes.askYesNo(&owner, "Install?", "Install now?"), false);
    QCOMPARE(seen.size(), std::size_t(3));
    QCOMPARE(seen[1].title, QString("Install now?"));
    QCOMPARE(seen[1].icon, QMessageBox::Question);
    QCOMPARE(seen[1].buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(seen[1].byDefault, QMessageBox::Yes);
}

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
