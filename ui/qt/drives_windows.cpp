#include <QDir>
#include <QStorageInfo>

#include "drives.h"

namespace quillmere::ui {

std::vector<Drive> listDrives() {
    std::vector<Drive> drives;
    for (const QFileInfo& info : QDir::drives()) {
        const QString root = QDir::toNativeSeparators(info.absoluteFilePath());  // "C:\"
        QString label = root.left(2).toLower();                                  // "c:"
        const QString name = QStorageInfo(info.absoluteFilePath()).name();
        if (!name.isEmpty()) label += QStringLiteral(" [%1]").arg(name);
        drives.push_back({root, label});
    }
    return drives;
}

StartupFolders startupFolders(const QString& /*home*/) {
    return {QStringLiteral("C:\\"), QStringLiteral("c:\\ati\\"), QStringLiteral("C:\\ati"),
            QStringLiteral("C:\\")};
}

}  // namespace quillmere::ui
