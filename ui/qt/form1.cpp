#include "form1.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSignalBlocker>

#include "assets.h"
#include "focus.h"
#include "from_common.h"
#include "layout.h"
#include "package_scanner.h"
#include "texts.h"
#include "window_style.h"

namespace quillmere::ui {
namespace {

using common::form1Control;

// Names the widget after its row and gives it the row's place and size.
template <typename Widget>
Widget* placed(Widget* widget, const common::ControlRow& row) {
    widget->setObjectName(toQString(row.name));
    widget->setGeometry(toQRect(row.twips));
    return widget;
}

// Engine texts are 8-bit paths in the system's own encoding.
QString fromEngine(const std::string& text) {
    return QFile::decodeName(QByteArray::fromStdString(text));
}

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
    setup.folders = startupFolders(QFile::encodeName(QDir::homePath()).toStdString());
    setup.drives = {driveAt(fromEngine(setup.folders.systemDrive))};
    setup.refreshDrives = listDrives;
    setup.bannerSeed = QRandomGenerator::global()->generate();
    return setup;
}

Form1::Form1(Form1Setup setup, QWidget* parent)
    : QWidget(parent), setup_(std::move(setup)), helpWindows_(setup_.links, setup_.navigateWebHelp) {
    if (!setup_.openUrl) setup_.openUrl = desktopUrlOpener();
    if (!setup_.quit) setup_.quit = [] { QCoreApplication::exit(0); };

    setWindowTitle(toQString(common::kForm1.caption));
    // Fixed single border, close box only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(clientSize(common::kForm1));
    setWindowIcon(programIcon());
    setFont(classicFont());

    buildControls();
    MessageBoxes& boxes = setup_.boxes ? *setup_.boxes : realBoxes_;
    host_ = std::make_unique<WindowHost>(*this, *dir1_, boxes, setup_.quit);
}

Form1::~Form1() = default;

void Form1::buildControls() {
    // Created first, so it lies beneath every other control.
    banner_ = placed(
        new BannerWidget(helpPageUrl(setup_.links.helpAddress), setup_.openUrl, setup_.bannerSeed, this),
        form1Control("ShockwaveFlash1"));

    dir1_ = placed(new FolderList(this), form1Control("Dir1"));
    paintListYellow(dir1_);

    drive1_ = placed(new DriveList(setup_.drives, setup_.refreshDrives, this), form1Control("Drive1"));
    paintListYellow(drive1_);
    connect(drive1_, &DriveList::driveChanged, dir1_, &FolderList::setPath);

    const auto button = [this](const char* name) {
        const common::ControlRow& row = form1Control(name);
        return placed(new QPushButton(toQString(row.text), this), row);
    };
    command1_ = button("Command1");
    connect(command1_, &QPushButton::clicked, this, &Form1::contactAuthor);
    command2_ = button("Command2");
    connect(command2_, &QPushButton::clicked, this, [this] { helpWindows_.showHelp(); });
    cmGO_ = button("cmGO");
    connect(cmGO_, &QPushButton::clicked, this, &Form1::startModding);

    picture1_ = placed(new QLabel(this), form1Control("Picture1"));
    picture1_->setPixmap(logo());
}

bool Form1::focusNextPrevChild(bool next) {
    QWidget* holder = focusWidget();
    while (holder && holder != this && holder->parentWidget() != this) holder = holder->parentWidget();
    const QString current = !holder || holder == this ? QStringLiteral("List1") : holder->objectName();
    const std::string_view target = common::nextTabStop(current.toStdString(), next);
    if (target == "List1") {
        setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }
    QWidget* control = findChild<QWidget*>(toQString(target), Qt::FindDirectChildrenOnly);
    if (!control) return false;
    control->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void Form1::start() {
    load();
    show();
    findChild<QWidget*>(toQString(common::kForm1FirstFocus), Qt::FindDirectChildrenOnly)->setFocus();
}

void Form1::load() {
    {
        // Both branches below open a folder, so the drive's own listing would be thrown away.
        const QSignalBlocker quiet(drive1_);
        drive1_->setDrive(fromEngine(setup_.folders.systemDrive));
    }
    if (folderExists(setup_.folders.packageFolder)) {
        dir1_->setPath(fromEngine(setup_.folders.packageOpen));
    } else {
        host_->showMessage(std::string(common::kNoPackageFolderMessage));
        dir1_->setPath(fromEngine(setup_.folders.fallbackFolder));
    }
}

void Form1::startModding() {
    WaitCursor wait;
    runModdingInWindow(*host_, setup_.run);
}

void Form1::contactAuthor() {
    // Whether a mail program took the link is not looked at: without one nothing happens.
    setup_.openUrl(mailUrl(setup_.links.authorMail));
}

}  // namespace quillmere::ui
