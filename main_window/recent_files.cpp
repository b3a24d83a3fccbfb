#include "recent_files.h"

#include "settings.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace tagora {

RecentFiles::RecentFiles(QMenu* menu)
    : QObject(menu), menu_(menu->addMenu(tr("Open &Recent")))
{
    menu_->setObjectName(QStringLiteral("mnuRecentFiles"));
    setFiles(runtime::rememberedRecentFiles());
}

void RecentFiles::add(const QString& path)
{
    QStringList files = files_;
    const QString file = QFileInfo(path).absoluteFilePath();
    files.removeAll(file);
    files.prepend(file);
    setFiles(files);
}

void RecentFiles::remove(const QString& path)
{
    QStringList files = files_;
    if (files.removeAll(QFileInfo(path).absoluteFilePath()) > 0)
        setFiles(files);
}

void RecentFiles::setFiles(QStringList files)
{
    files.removeDuplicates();
    files_ = files.mid(0, kMostFiles);
    runtime::rememberRecentFiles(files_);
    showFiles();
}

// "&1 page.html  (/home/me/site)": the name first, its folder after it.
void RecentFiles::showFiles()
{
    menu_->clear();
    menu_->setEnabled(!files_.isEmpty());
    for (qsizetype i = 0; i < files_.size(); ++i) {
        const QFileInfo file(files_[i]);
        QString shown = QStringLiteral("%1  (%2)").arg(file.fileName(), QDir::toNativeSeparators(file.absolutePath()));
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));  // no access key of its own
        const QString caption = QStringLiteral("&%1 %2").arg(i + 1).arg(shown);
        QAction* item = menu_->addAction(caption);
        item->setObjectName(QStringLiteral("mnuRecentFile%1").arg(i + 1));
        const QString path = files_[i];
        connect(item, &QAction::triggered, this, [this, path] { emit chosen(path); });
    }
}

}  // namespace tagora
