#include <QDir>
#include <QStorageInfo>

#include "drive_label.h"
#include "drives.h"

namespace quillmere::ui {

Drive driveAt(const QString& root) {
    const QString native = QDir::toNativeSeparators(root);  // "C:\"
    const std::string label =
        common::driveLabel(native.toStdString(), QStorageInfo(root).name().toStdString());
    return {native, QString::fromStdString(label)};
}

std::vector<Drive> listDrives() {
    std::vector<Drive> drives;
    for (const QFileInfo& info : QDir::drives()) drives.push_back(driveAt(info.absoluteFilePath()));
    return drives;
}

common::StartupFolders startupFolders(const std::string& /*home*/) {
    return common::windowsStartupFolders();
}

}  // namespace quillmere::ui
