#include "folder_list.h"

#include <QDir>
#include <QKeyEvent>
#include <QStyledItemDelegate>

#include "folder_lines.h"
#include "folder_pictures.h"

namespace quillmere::ui {
namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kLevelRole = Qt::UserRole + 1;

// Each line is drawn shifted right by its depth, highlight included, as the classic list does.
class IndentDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem shifted = option;
        shifted.rect.adjust(index.data(kLevelRole).toInt() * common::kFolderIndentPerLevel, 0, 0, 0);
        QStyledItemDelegate::paint(painter, shifted, index);
    }
};

}  // namespace

FolderList::FolderList(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new IndentDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setIconSize(QSize(common::kFolderPictureSize, common::kFolderPictureSize));
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
    const std::vector<common::FolderLevel> levels = common::folderLevels(clean.toStdString(), '/');
    if (openIcon_.isNull()) {
        openIcon_ = folderIcon(true);
        closedIcon_ = folderIcon(false);
    }
    const QIcon& openIcon = openIcon_;
    const QIcon& closedIcon = closedIcon_;

    int level = 0;
    for (const common::FolderLevel& folder : levels) {
        const QString text = QString::fromStdString(folder.text);
        auto* item = new QListWidgetItem(openIcon, level == 0 ? QDir::toNativeSeparators(text) : text, this);
        item->setData(kPathRole, QString::fromStdString(folder.path));
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
