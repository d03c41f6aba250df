#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include "drive_label.h"
#include "drives.h"

namespace quillmere::ui {
namespace {

// Memory-backed and kernel file systems hold nothing a user extracts a package into.
bool holdsRealFiles(const QStorageInfo& volume) {
    const QByteArray type = volume.fileSystemType();
    return volume.isValid() && volume.isReady() && type != "tmpfs" && type != "devtmpfs" && type != "ramfs" &&
           type != "squashfs" && QFileInfo(volume.rootPath()).isDir();
}

}  // namespace

Drive driveAt(const QString& root) {
    return {root, QString::fromStdString(common::driveLabel(root.toStdString(), {}))};
}

std::vector<Drive> listDrives() {
    // "/" stands where Windows has the system drive; a container's root is often an overlay
    // that Qt counts as a pseudo file system, so it is always listed.
    std::vector<Drive> drives{driveAt(QStringLiteral("/"))};
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.rootPath() != QLatin1String("/") && holdsRealFiles(volume)) roots << volume.rootPath();
    }
    roots.sort();
    roots.removeDuplicates();
    for (const QString& root : roots) drives.push_back(driveAt(root));
    return drives;
}

common::StartupFolders startupFolders(const std::string& home) {
    return common::homeStartupFolders(home);
}

}  // namespace quillmere::ui
