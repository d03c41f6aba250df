#include "form1.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <exception>

#include "assets.h"
#include "package_scanner.h"
#include "window_style.h"

namespace quillmere::ui {
namespace {

// Holds the wait cursor for as long as a run holds the thread.
class WaitCursor {
  public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

Form1Setup Form1Setup::forThisMachine() {
    Form1Setup setup;
    setup.folders = startupFolders(QDir::homePath());
    setup.drives = listDrives();
    setup.bannerSeed = QRandomGenerator::global()->generate();
    return setup;
}

Form1::Form1(Form1Setup setup, QWidget* parent)
    : QWidget(parent), setup_(std::move(setup)), helpWindows_(setup_.links, setup_.navigateWebHelp) {
    if (!setup_.openUrl) setup_.openUrl = desktopUrlOpener();
    if (!setup_.quit) setup_.quit = [] { QCoreApplication::exit(0); };

    setWindowTitle(QStringLiteral("Quillmeres automatic driver modder"));
    // Fixed single border, close box only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(608, 305);
    setWindowIcon(windowIcon());
    setFont(classicFont());

    buildControls();
    buildHiddenControls();
    MessageBoxes& boxes = setup_.boxes ? *setup_.boxes : realBoxes_;
    host_ = std::make_unique<WindowHost>(*this, *dir1_, hidden_, boxes, setup_.quit);
}

Form1::~Form1() = default;

void Form1::buildControls() {
    // Created first, so it lies beneath every other control.
    banner_ =
        new BannerWidget(helpPageUrl(setup_.links.helpAddress), setup_.openUrl, setup_.bannerSeed, this);
    banner_->setObjectName(QStringLiteral("ShockwaveFlash1"));
    banner_->setGeometry(0, 0, 609, 313);

    dir1_ = new FolderList(this);
    dir1_->setObjectName(QStringLiteral("Dir1"));
    dir1_->setGeometry(24, 8, 161, 141);
    paintListYellow(dir1_);

    drive1_ = new DriveList(setup_.drives, this);
    drive1_->setObjectName(QStringLiteral("Drive1"));
    drive1_->setGeometry(24, 152, 161, 21);
    paintListYellow(drive1_);
    connect(drive1_, &DriveList::driveChanged, dir1_, &FolderList::setPath);

    command1_ = new QPushButton(QStringLiteral("Contact me"), this);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setGeometry(192, 16, 129, 41);
    connect(command1_, &QPushButton::clicked, this, &Form1::contactAuthor);

    command2_ = new QPushButton(QStringLiteral("Need help? click me"), this);
    command2_->setObjectName(QStringLiteral("Command2"));
    command2_->setGeometry(328, 16, 129, 41);
    connect(command2_, &QPushButton::clicked, this, [this] { helpWindows_.showHelp(); });

    cmGO_ = new QPushButton(QStringLiteral("Start modding"), this);
    cmGO_->setObjectName(QStringLiteral("cmGO"));
    cmGO_->setGeometry(256, 64, 129, 41);
    connect(cmGO_, &QPushButton::clicked, this, &Form1::startModding);

    picture1_ = new QLabel(this);
    picture1_->setObjectName(QStringLiteral("Picture1"));
    picture1_->setGeometry(456, 16, 139, 138);
    picture1_->setPixmap(logo());
}

void Form1::buildHiddenControls() {
    // Below the bottom edge of the fixed-size client area, so they never come into view.
    const auto label = [this](const char* name, QRect geometry) {
        auto* l = new QLabel(QString::fromLatin1(name), this);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(geometry);
        l->setWordWrap(true);
        return l;
    };
    hidden_.label1 = label("Label1", {16, 376, 153, 73});
    hidden_.slotLabels = {label("Label2", {232, 376, 145, 49}), label("Label3", {232, 440, 177, 65}),
                          label("Label4", {224, 520, 241, 41}), label("Label5", {464, 432, 129, 41})};

    hidden_.list1 = new QListWidget(this);
    hidden_.list1->setObjectName(QStringLiteral("List1"));
    hidden_.list1->setGeometry(16, 664, 425, 147);
    hidden_.list2 = new QListWidget(this);
    hidden_.list2->setObjectName(QStringLiteral("List2"));
    hidden_.list2->setGeometry(480, 352, 145, 30);

    // Dir1, Drive1, List1, the banner, then the three buttons.
    setTabOrder(dir1_, drive1_);
    setTabOrder(drive1_, hidden_.list1);
    setTabOrder(hidden_.list1, banner_);
    setTabOrder(banner_, command1_);
    setTabOrder(command1_, command2_);
    setTabOrder(command2_, cmGO_);
}

void Form1::start() {
    load();
    show();
    dir1_->setFocus();
}

void Form1::load() {
    drive1_->setDrive(setup_.folders.systemDrive);
    if (folderExists(QFile::encodeName(setup_.folders.packageFolder).toStdString())) {
        dir1_->setPath(setup_.folders.packageOpen);
    } else {
        host_->showMessage("Make sure you select the ATI folder before you start.");
        dir1_->setPath(setup_.folders.fallbackFolder);
    }
}

void Form1::startModding() {
    WaitCursor wait;
    try {
        runModding(*host_, setup_.run);
    } catch (const std::exception& error) {
        // Nothing in the run handles such an error: name it, then end as every run ends.
        host_->showMessage(error.what());
        host_->endProgram();
    }
}

void Form1::contactAuthor() {
    // Whether a mail program took the link is not looked at: without one nothing happens.
    setup_.openUrl(mailUrl(setup_.links.authorMail));
}

}  // namespace quillmere::ui
