#include "drive_list.h"

namespace quillmere::ui {

DriveList::DriveList(const std::vector<Drive>& drives, QWidget* parent) : QComboBox(parent) {
    for (const Drive& d : drives) addItem(d.label, d.root);
    setCurrentIndex(-1);  // no drive until start-up chooses one, so that choice is a change
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) emit driveChanged(itemData(index).toString());
    });
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
