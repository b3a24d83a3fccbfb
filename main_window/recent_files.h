// File > Open Recent: the files opened last, the latest first, remembered
// between runs. A file that is gone is dropped when it fails to open.
#pragma once

#include <QObject>
#include <QStringList>

class QMenu;

namespace tagora {

class RecentFiles : public QObject {
    Q_OBJECT
public:
    static constexpr qsizetype kMostFiles = 8;

    // Adds the submenu at the end of the menu.
    explicit RecentFiles(QMenu* menu);

    QStringList files() const { return files_; }
    void add(const QString& path);
    void remove(const QString& path);

signals:
    void chosen(const QString& path);

private:
    void setFiles(QStringList files);
    void showFiles();

    QMenu* menu_;
    QStringList files_;
};

}  // namespace tagora
