// The web-help module: Qt WebEngine comes into the process only with the first web help, the
// module is found from the program's folder and never from the current one, and a module that
// is missing or broken gives a plain window that says so instead of the browser.

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLibraryInfo>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

#include "help_windows.h"
#include "web_help_loader.h"

using namespace quillmere::ui;

namespace {

const Links kLinks{QStringLiteral("Www.Example.ORG/Quillmere/Help.html"),
                   QStringLiteral("author@example.org")};
const QString kModule = QStringLiteral(QUILLMERE_WEB_HELP_MODULE_PATH);

// Whether a library whose file name contains `name` is mapped into this process.
bool mapped(const char* name) {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly)) return false;
    return maps.readAll().contains(name);
}

// Opens the web help of a fresh pair of help windows that look for the module in `candidates`.
struct OpenedWebHelp {
    std::vector<QUrl> navigations;
    HelpWindows windows{kLinks, [this](QWidget&, const QUrl& url) { navigations.push_back(url); }};
    QWidget* web = nullptr;

    explicit OpenedWebHelp(const QStringList& candidates) {
        windows.setWebHelpModuleCandidates(candidates);
        windows.showWebHelp();
        web = windows.webHelp();
    }
    QString message() const {
        auto* label = web ? web->findChild<QLabel*>(QStringLiteral("WebHelpUnavailable")) : nullptr;
        return label ? label->text() : QString();
    }
};

// A stand-in window: same caption and size, no browser, a message naming the problem.
void verifyStandIn(const OpenedWebHelp& opened, const QString& problem) {
    QVERIFY(opened.web && opened.web->isVisible());
    QCOMPARE(opened.web->windowTitle(), QString("WWW.EXAMPLE.ORG/QUILLMERE/HELP.HTML"));
    QCOMPARE(opened.web->size(), QSize(867, 638));
    QVERIFY(!opened.web->findChild<QWidget*>(QStringLiteral("WebBrowser1")));
    QVERIFY2(opened.message().startsWith("The web help cannot be shown"), qPrintable(opened.message()));
    QVERIFY2(opened.message().contains("http://www.example.org/Quillmere/Help.html"),
             qPrintable(opened.message()));
    QVERIFY2(opened.message().contains(problem), qPrintable(opened.message()));
    QVERIFY(opened.navigations.empty());
}

}  // namespace

class WebHelpModuleTest : public QObject {
    Q_OBJECT

  private slots:
    // First: it needs a process in which no web help has been opened yet.
    void webEngineIsMappedOnlyWithTheFirstWebHelp();
    void aMissingModuleGivesAWindowThatSaysSo();
    void aBrokenModuleGivesAWindowThatSaysSo();
    void theModuleIsLookedForFromTheProgramsFolderNotTheCurrentOne();
};

void WebHelpModuleTest::webEngineIsMappedOnlyWithTheFirstWebHelp() {
#ifndef Q_OS_LINUX
    QSKIP("reads /proc/self/maps");
#endif
    HelpWindows windows(kLinks, [](QWidget&, const QUrl&) {});
    windows.setWebHelpModuleCandidates({kModule});
    windows.showHelp();
    QVERIFY(!mapped("libQt6WebEngineCore"));
    QVERIFY(!mapped("quillmere-web-help"));

    windows.showWebHelp();
    QVERIFY(windows.webHelp()->findChild<QWidget*>(QStringLiteral("WebBrowser1")));
    QVERIFY(mapped("libQt6WebEngineCore"));
    QVERIFY(mapped("quillmere-web-help"));
}

void WebHelpModuleTest::aMissingModuleGivesAWindowThatSaysSo() {
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("quillmere-web-help.so"));
    const QString second = dir.filePath(QStringLiteral("lib/quillmere-web-help.so"));
    OpenedWebHelp opened({first, second});
    verifyStandIn(opened, QDir::toNativeSeparators(first) + ": not found\n" +
                              QDir::toNativeSeparators(second) + ": not found");

    // Asked for again: the same window to the front, the module is not looked for again.
    QPointer<QWidget> standIn = opened.web;
    opened.windows.showWebHelp();
    QCOMPARE(opened.windows.webHelp(), standIn.data());

    // A module that turns up in a later place than a missing one is taken.
    OpenedWebHelp found({first, kModule});
    QVERIFY(found.web->findChild<QWidget*>(QStringLiteral("WebBrowser1")));
    QCOMPARE(found.navigations, std::vector<QUrl>{QUrl("http://Www.Example.ORG/Quillmere/Help.html")});
}

void WebHelpModuleTest::aBrokenModuleGivesAWindowThatSaysSo() {
    QTemporaryDir dir;
    const QString junk = dir.filePath(QStringLiteral("quillmere-web-help.so"));
    QFile file(junk);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, '\x7f'));
    file.close();
    OpenedWebHelp broken({junk});
    verifyStandIn(broken, QDir::toNativeSeparators(junk) + ": ");
    QVERIFY(!broken.message().contains("not found"));

    // A Qt plugin, but of another kind: the platform plugin this test already runs on.
    const QString otherPlugin =
        QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms/libqoffscreen.so");
    if (!QFile::exists(otherPlugin)) QSKIP("no offscreen platform plugin at the usual place");
    OpenedWebHelp other({otherPlugin});
    verifyStandIn(other, QDir::toNativeSeparators(otherPlugin) + ": not the web-help module");
}

void WebHelpModuleTest::theModuleIsLookedForFromTheProgramsFolderNotTheCurrentOne() {
    const QString programDir = QCoreApplication::applicationDirPath();
    const QString name = WebHelpLoader::moduleFileName();
    QCOMPARE(WebHelpLoader::defaultCandidates(programDir),
             (QStringList{programDir + "/" + name,
                          QDir::cleanPath(programDir + "/../lib/quillmere-mod-tool/" + name)}));

    // A real module in the current folder is not taken: this program's folder holds none.
    QTemporaryDir dir;
    QVERIFY(QFile::copy(kModule, dir.filePath(name)));
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    OpenedWebHelp opened({});
    QDir::setCurrent(before);
    verifyStandIn(opened, QDir::toNativeSeparators(programDir + "/" + name) + ": not found");
    QVERIFY(!opened.message().contains(dir.path()));
}

QTEST_MAIN(WebHelpModuleTest)
#include "web_help_module_test.moc"
