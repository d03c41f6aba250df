#pragma once
// A drop-down list of the machine's drives. It signals every change of the selected drive,
// whether the user or the program made it.

#include <QComboBox>
#include <vector>

#include "drives.h"

namespace quillmere::ui {

class DriveList : public QComboBox {
    Q_OBJECT
  public:
    explicit DriveList(const std::vector<Drive>& drives, QWidget* parent = nullptr);

    // The selected drive's root, a path the folder list accepts.
    QString drive() const;
    // Selects the drive with this root; a root that is not listed is added, as a drive list
    // takes any drive it is told about.
    void setDrive(const QString& root);

  signals:
    void driveChanged(const QString& root);
};

}  // namespace quillmere::ui
