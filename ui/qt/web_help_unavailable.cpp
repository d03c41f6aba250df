#include "web_help_unavailable.h"

#include <QLabel>
#include <QWidget>

#include "from_common.h"

namespace quillmere::ui {

QWidget* makeWebHelpUnavailable(const WebHelpSetup& setup, const QString& why) {
    auto* window = new QWidget;
    window->setWindowTitle(setup.caption);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setFont(setup.font);
    window->resize(clientSize(common::kForm3));

    auto* message = new QLabel(window);
    message->setObjectName(QStringLiteral("WebHelpUnavailable"));
    message->setTextFormat(Qt::PlainText);
    message->setWordWrap(true);
    message->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    message->setGeometry(16, 16, 835, 577);
    message->setText(
        QStringLiteral("The web help cannot be shown: its browser module could not be loaded.\n\n"
                       "The help page is %1\n\n"
                       "Places tried:\n%2")
            .arg(setup.page.toString(), why));
    return window;
}

}  // namespace quillmere::ui
