#include "drive_list.h"

#include <QSignalBlocker>

namespace quillmere::ui {

DriveList::DriveList(const std::vector<Drive>& drives, Lister lister, QWidget* parent)
    : QComboBox(parent), lister_(std::move(lister)) {
    fill(drives);
    setCurrentIndex(-1);  // no drive until start-up chooses one, so that choice is a change
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) emit driveChanged(itemData(index).toString());
    });
}

void DriveList::fill(const std::vector<Drive>& drives) {
    for (const Drive& d : drives) addItem(d.label, d.root);
}

void DriveList::refresh() {
    if (!lister_) return;
    const std::vector<Drive> drives = lister_();
    const QSignalBlocker quiet(this);
    const QString selected = drive();
    const bool wasSelected = currentIndex() >= 0;
    clear();
    fill(drives);
    if (!wasSelected) {
        setCurrentIndex(-1);
        return;
    }
    // A selected drive that is no longer listed stays, as one the list was told about.
    int index = findData(selected);
    if (index < 0) {
        addItem(selected, selected);
        index = count() - 1;
    }
    setCurrentIndex(index);
}

void DriveList::showPopup() {
    refresh();
    QComboBox::showPopup();
}

void DriveList::focusInEvent(QFocusEvent* event) {
    refresh();
    QComboBox::focusInEvent(event);
}

void DriveList::wheelEvent(QWheelEvent* event) {
    if (!hasFocus()) refresh();
    QComboBox::wheelEvent(event);
}

QString DriveList::drive() const {
    return currentData().toString();
}

void DriveList::setDrive(const QString& root) {
    int index = findData(root);
    if (index < 0) {
        addItem(root, root);
        index = count() - 1;
    }
    setCurrentIndex(index);
}

}  // namespace quillmere::ui
