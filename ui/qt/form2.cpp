#include "form2.h"

#include <QMouseEvent>
#include <QPushButton>

#include "assets.h"
#include "window_style.h"

namespace quillmere::ui {

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click =
        pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click) emit clicked();
}

Form2::Form2(const Links& links, std::function<void()> openWebHelp) : openWebHelp_(std::move(openWebHelp)) {
    setWindowTitle(QStringLiteral("HELP!"));
    // A tool window: fixed border, close box only, no task-bar entry.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    // Qt takes tool windows out of the count of open windows; this one keeps the program alive.
    setAttribute(Qt::WA_QuitOnClose, true);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(344, 362);
    setWindowIcon(windowIcon());
    setFont(classicFont());
    fillBackground(this, kLightYellow);

    auto* link = new LinkLabel(this);
    link->setObjectName(QStringLiteral("Label1"));
    link->setGeometry(80, 16, 225, 33);
    link->setText(QStringLiteral("All help can also be found on ") + links.helpAddress.toLower());
    link->setTextFormat(Qt::PlainText);
    link->setWordWrap(true);
    link->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    link->setCursor(linkCursor());
    connect(link, &LinkLabel::clicked, this, [this] { openWebHelp_(); });

    // Underlines the address, which the label puts on a line of its own.
    auto* line1 = new QWidget(this);
    line1->setObjectName(QStringLiteral("Line1"));
    line1->setGeometry(80, 40, 145, 1);
    fillBackground(line1, QColor(0, 0, 255));

    addLabel("Label2",
             "- First of all you need a catalyst driver set.  Download the latest one from ati or from you "
             "preffered mirror.",
             {32, 56, 305, 41});
    addLabel("Label3", "-  Step 2:  Extract the catalyst file", {32, 104, 305, 33});
    addLabel("Label4",
             "- Step3:  If the installer tries to install the driver it will give you an error, don't worry, "
             "thats normal procedure.",
             {32, 136, 305, 33});
    addLabel("Label5", "- Step4:  Start the modtool, select the ati folder and push the button!",
             {32, 176, 305, 41});
    // There is no step 5.
    addLabel(
        "Label7",
        "- Step6:  A few seconds later modding is done, and you can start the setup again by going in the "
        "ATI directory and starting setup.exe from the DRIVER folder, this time your drivers will install.",
        {32, 216, 281, 57});
    addLabel("Label8", "One more thing! --> Good luck and happy modding", {32, 288, 305, 33});

    auto* close = new QPushButton(QStringLiteral("Close me"), this);
    close->setObjectName(QStringLiteral("Command1"));
    close->setGeometry(96, 312, 121, 41);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

QLabel* Form2::addLabel(const char* name, const QString& text, QRect geometry) {
    auto* label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);  // wraps at blanks; what does not fit the fixed height is cut off
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(geometry);
    return label;
}

}  // namespace quillmere::ui
