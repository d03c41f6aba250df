// The help window, the web-help window and the contact button: the exact help texts, one window
// of each kind however often they are asked for, the browser's fixed area, and which window
// ends the program.

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "ui_test_support.h"

using namespace quillmere::ui;
using quillmere::ui::testing::Form1Harness;

namespace {

// A main window whose web help, from the module of this build, records where it was sent instead
// of loading anything.
struct Windows {
    Form1Harness harness;
    std::vector<QUrl> navigations;
    std::unique_ptr<Form1> form;

    Windows() {
        harness.makeFolder("ati");  // no start-up message
        harness.setup.navigateWebHelp = [this](QWidget&, const QUrl& url) { navigations.push_back(url); };
        form = std::make_unique<Form1>(harness.setup);
        form->helpWindows().setWebHelpModuleCandidates({QStringLiteral(QUILLMERE_WEB_HELP_MODULE_PATH)});
        form->start();
    }
    void press(const char* button) {
        QTest::mouseClick(form->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
    }
    Form2* help() { return form->helpWindows().help(); }
    QWidget* webHelp() { return form->helpWindows().webHelp(); }
    void clickLink() { QTest::mouseClick(help()->findChild<QLabel*>("Label1"), Qt::LeftButton); }
};

// Lets closed windows be deleted, as the event loop would.
void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString labelText(QWidget* window, const char* name) {
    auto* label = window->findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<no %1>").arg(QString::fromLatin1(name));
}

}  // namespace

class HelpWindowsTest : public QObject {
    Q_OBJECT

  private slots:
    void theHelpTextsAreExactAndSkipStep5();
    void thereIsOneHelpWindowUntilItIsClosed();
    void theWebHelpLoadsTheHelpPageOncePerWindow();
    void theProgramEndsWithItsLastWindow();
    void endProgramClosesTheHelpWindowsToo();
    void contactHandsTheMailLinkToTheDesktopAndShowsNothing();
};

void HelpWindowsTest::theHelpTextsAreExactAndSkipStep5() {
    Windows windows;
    windows.press("Command2");
    Form2* help = windows.help();
    QVERIFY(help && help->isVisible());
    QCOMPARE(help->windowTitle(), QString("HELP!"));
    QCOMPARE(help->size(), QSize(344, 362));
    QCOMPARE(help->minimumSize(), help->maximumSize());
    QCOMPARE(help->windowType(), Qt::Tool);  // no task-bar entry

    QCOMPARE(labelText(help, "Label1"),
             QString("All help can also be found on www.example.org/quillmere/help.html"));
    QCOMPARE(
        labelText(help, "Label2"),
        QString("- First of all you need a catalyst driver set.  Download the latest one from ati or from "
                "you preffered mirror."));
    QCOMPARE(labelText(help, "Label3"), QString("-  Step 2:  Extract the catalyst file"));
    QCOMPARE(
        labelText(help, "Label4"),
        QString("- Step3:  If the installer tries to install the driver it will give you an error, don't "
                "worry, thats normal procedure."));
    QCOMPARE(labelText(help, "Label5"),
             QString("- Step4:  Start the modtool, select the ati folder and push the button!"));
    QCOMPARE(labelText(help, "Label6"), QString("<no Label6>"));
    QCOMPARE(
        labelText(help, "Label7"),
        QString(
            "- Step6:  A few seconds later modding is done, and you can start the setup again by going in "
            "the ATI directory and starting setup.exe from the DRIVER folder, this time your drivers will "
            "install."));
    QCOMPARE(labelText(help, "Label8"), QString("One more thing! --> Good luck and happy modding"));

    const QCursor cursor = help->findChild<QLabel*>("Label1")->cursor();
    QCOMPARE(cursor.pixmap().size(), QSize(32, 32));
    QCOMPARE(cursor.hotSpot(), QPoint(12, 1));
}

void HelpWindowsTest::thereIsOneHelpWindowUntilItIsClosed() {
    Windows windows;
    windows.press("Command2");
    QPointer<Form2> first = windows.help();
    windows.press("Command2");
    QCOMPARE(windows.help(), first.data());

    QTest::mouseClick(first->findChild<QPushButton*>("Command1"), Qt::LeftButton);  // "Close me"
    settle();
    QVERIFY(first.isNull());
    QVERIFY(windows.form->isVisible());  // the main window stays

    windows.press("Command2");
    QVERIFY(windows.help() && windows.help()->isVisible());
    QCOMPARE(labelText(windows.help(), "Label8"), QString("One more thing! --> Good luck and happy modding"));
}

void HelpWindowsTest::theWebHelpLoadsTheHelpPageOncePerWindow() {
    Windows windows;
    windows.press("Command2");
    windows.clickLink();
    QPointer<QWidget> first = windows.webHelp();
    QVERIFY(first && first->isVisible());
    auto* browser = first->findChild<QWidget*>(QStringLiteral("WebBrowser1"));
    QVERIFY2(browser, "the web-help module did not load");
    QCOMPARE(first->windowTitle(), QString("WWW.EXAMPLE.ORG/QUILLMERE/HELP.HTML"));
    const Qt::WindowFlags flags = first->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint) && flags.testFlag(Qt::WindowMaximizeButtonHint));
    // The browser area keeps its size however the window is resized.
    QCOMPARE(first->size(), QSize(867, 638));
    first->resize(1200, 900);
    QCOMPARE(browser->geometry(), QRect(0, 0, 865, 609));
    const QUrl page("http://Www.Example.ORG/Quillmere/Help.html");
    QCOMPARE(windows.navigations, std::vector<QUrl>{page});

    windows.clickLink();  // only brings it to the front, the page stays
    QCOMPARE(windows.webHelp(), first.data());
    QCOMPARE(windows.navigations.size(), std::size_t(1));

    // Closing the help window leaves the web help open.
    windows.help()->close();
    settle();
    QVERIFY(first && first->isVisible());

    first->close();
    settle();
    QVERIFY(first.isNull());
    windows.press("Command2");
    windows.clickLink();
    QCOMPARE(windows.navigations, (std::vector<QUrl>{page, page}));
}

void HelpWindowsTest::theProgramEndsWithItsLastWindow() {
    Windows windows;
    windows.press("Command2");
    windows.clickLink();
    // While the event loop runs, closes one window after another and notes what stays open.
    const std::vector<QWidget*> closingOrder = {windows.webHelp(), windows.form.get(), windows.help()};
    QStringList stillOpen;
    QTimer closer;
    closer.callOnTimeout([&] {
        if (static_cast<std::size_t>(stillOpen.size()) == closingOrder.size())
            return QCoreApplication::exit(1);
        closingOrder[static_cast<std::size_t>(stillOpen.size())]->close();
        QStringList titles;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible()) titles << w->windowTitle();
        }
        titles.sort();
        stillOpen << titles.join(", ");
    });
    closer.start(50);

    QCOMPARE(QApplication::exec(), 0);
    QCOMPARE(stillOpen, (QStringList{"HELP!, Quillmeres automatic driver modder", "HELP!", ""}));
}

void HelpWindowsTest::endProgramClosesTheHelpWindowsToo() {
    Windows windows;
    windows.press("Command2");
    windows.clickLink();
    QPointer<Form2> help = windows.help();
    QPointer<QWidget> web = windows.webHelp();

    windows.form->host().endProgram();
    settle();

    QVERIFY(help.isNull() && web.isNull());
    QVERIFY(!windows.form->isVisible());
    QCOMPARE(windows.harness.quitCalls, 1);
}

void HelpWindowsTest::contactHandsTheMailLinkToTheDesktopAndShowsNothing() {
    Windows windows;
    windows.press("Command1");
    QCOMPARE(windows.harness.openedUrls.size(), std::size_t(1));
    QCOMPARE(windows.harness.openedUrls[0].toString(QUrl::FullyEncoded),
             QString("mailto:author@example.org"));
    QCOMPARE(windows.harness.boxes.shown.size(), std::size_t(0));
    QCOMPARE(windows.help(), nullptr);
    QCOMPARE(windows.webHelp(), nullptr);
}

QTEST_MAIN(HelpWindowsTest)
#include "help_windows_test.moc"
