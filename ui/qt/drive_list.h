#pragma once
// A drop-down list of the machine's drives. It signals every change of the selected drive,
// whether the user or the program made it.

#include <QComboBox>
#include <functional>
#include <vector>

#include "drives.h"

namespace quillmere::ui {

class DriveList : public QComboBox {
    Q_OBJECT
  public:
    using Lister = std::function<std::vector<Drive>()>;

    // Starts with `drives`. With a `lister`, the list asks it again for the drives each time the
    // user comes to it (opens it, gives it the focus, turns the wheel over it), so that a drive
    // mounted since shows up and the window's start does not wait for the machine's mounts.
    explicit DriveList(const std::vector<Drive>& drives, Lister lister = {}, QWidget* parent = nullptr);

    // The selected drive's root, a path the folder list accepts.
    QString drive() const;
    // Selects the drive with this root; a root that is not listed is added, as a drive list
    // takes any drive it is told about.
    void setDrive(const QString& root);

    // Lists the drives again from the lister, keeping the selected drive. No signal: the
    // selection does not change.
    void refresh();

    void showPopup() override;

  signals:
    void driveChanged(const QString& root);

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    void fill(const std::vector<Drive>& drives);

    Lister lister_;
};

}  // namespace quillmere::ui
