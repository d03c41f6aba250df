#include <QDir>
#include <QStorageInfo>

#include "drives.h"

namespace quillmere::ui {

Drive driveAt(const QString& root) {
    const QString native = QDir::toNativeSeparators(root);  // "C:\"
    QString label = native.left(2).toLower();               // "c:"
    const QString name = QStorageInfo(root).name();
    if (!name.isEmpty()) label += QStringLiteral(" [%1]").arg(name);
    return {native, label};
}

std::vector<Drive> listDrives() {
    std::vector<Drive> drives;
    for (const QFileInfo& info : QDir::drives()) drives.push_back(driveAt(info.absoluteFilePath()));
    return drives;
}

StartupFolders startupFolders(const QString& /*home*/) {
    return {QStringLiteral("C:\\"), QStringLiteral("c:\\ati\\"), QStringLiteral("C:\\ati"),
            QStringLiteral("C:\\")};
}

}  // namespace quillmere::ui
