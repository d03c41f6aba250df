#pragma once
// A folder list in the classic style: the open folder's path, one line per level from the drive
// down, then the open folder's subfolders. A click only highlights; a double click or Enter
// opens the folder under it.

#include <QListWidget>

namespace quillmere::ui {

class FolderList : public QListWidget {
    Q_OBJECT
  public:
    explicit FolderList(QWidget* parent = nullptr);

    // The open folder in the system's own notation; never the one that is only highlighted.
    QString path() const { return path_; }
    // Opens the folder. One that cannot be listed opens with no subfolders.
    void setPath(const QString& path);

  signals:
    void pathChanged(const QString& path);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void openItem(QListWidgetItem* item);
    void rebuild();
    // The open or the closed folder picture.
    QIcon folderIcon(bool open) const;

    QString path_;
    QIcon openIcon_;
    QIcon closedIcon_;
};

}  // namespace quillmere::ui
