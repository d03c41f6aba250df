#include "folder_list.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStyledItemDelegate>

#include "folder_pictures.h"

namespace quillmere::ui {
namespace {

constexpr int kIndentPerLevel = 8;
constexpr int kPathRole = Qt::UserRole;
constexpr int kLevelRole = Qt::UserRole + 1;

// Each line is drawn shifted right by its depth, highlight included, as the classic list does.
class IndentDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem shifted = option;
        shifted.rect.adjust(index.data(kLevelRole).toInt() * kIndentPerLevel, 0, 0, 0);
        QStyledItemDelegate::paint(painter, shifted, index);
    }
};

// The folder and each folder above it, from the drive down. Works on text alone, so that a
// path that does not exist still shows where it is.
QStringList levelsOf(const QString& cleanPath) {
    QStringList levels;
    QString current = cleanPath;
    for (;;) {
        levels.prepend(current);
        const QString parent = QFileInfo(current).path();
        if (parent == current || parent == QLatin1String(".")) break;
        current = parent;
    }
    return levels;
}

QString levelText(const QString& level, bool isDrive) {
    return isDrive ? QDir::toNativeSeparators(level) : QFileInfo(level).fileName();
}

}  // namespace

FolderList::FolderList(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new IndentDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(this, &QListWidget::itemDoubleClicked, this, &FolderList::openItem);
}

void FolderList::setPath(const QString& path) {
    path_ = QDir::toNativeSeparators(QDir::cleanPath(QDir::fromNativeSeparators(path)));
    rebuild();
    emit pathChanged(path_);
}

void FolderList::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        openItem(currentItem());
        return;
    }
    QListWidget::keyPressEvent(event);
}

void FolderList::openItem(QListWidgetItem* item) {
    if (item) setPath(item->data(kPathRole).toString());
}

QIcon FolderList::folderIcon(bool open) const {
    return QIcon(QPixmap::fromImage(folderPicture(open, devicePixelRatioF())));
}

void FolderList::rebuild() {
    clear();
    const QString clean = QDir::fromNativeSeparators(path_);
    const QStringList levels = levelsOf(clean);
    if (openIcon_.isNull()) {
        openIcon_ = folderIcon(true);
        closedIcon_ = folderIcon(false);
    }
    const QIcon& openIcon = openIcon_;
    const QIcon& closedIcon = closedIcon_;

    int level = 0;
    for (const QString& folder : levels) {
        auto* item = new QListWidgetItem(openIcon, levelText(folder, level == 0), this);
        item->setData(kPathRole, folder);
        item->setData(kLevelRole, level++);
    }
    QListWidgetItem* open = item(count() - 1);

    const QDir dir(clean);
    for (const QString& name :
         dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
        auto* child = new QListWidgetItem(closedIcon, name, this);
        child->setData(kPathRole, dir.filePath(name));
        child->setData(kLevelRole, level);
    }
    setCurrentItem(open);
}

}  // namespace quillmere::ui
