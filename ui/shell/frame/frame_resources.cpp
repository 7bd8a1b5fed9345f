#include "ui/shell/frame/frame_resources.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

std::string& ResourceRoot()
{
    static std::string root;
    return root;
}

} // namespace

void SetFrameResourceRoot(const std::string& folder)
{
    ResourceRoot() = folder;
}

std::string FindFrameResource(const std::string& relativePath)
{
    QStringList folders;
    if (!ResourceRoot().empty())
        folders.append(QString::fromStdString(ResourceRoot()));
    folders.append(QDir::currentPath());
    if (QCoreApplication::instance() != nullptr) {
        QDir dir(QCoreApplication::applicationDirPath());
        for (int up = 0; up < 5; ++up) {
            folders.append(dir.absolutePath());
            if (!dir.cdUp())
                break;
        }
    }
    const QString relative = QString::fromStdString(relativePath);
    for (const QString& folder : folders) {
        const QFileInfo file(QDir(folder).filePath(relative));
        if (file.isFile())
            return file.absoluteFilePath().toStdString();
    }
    return {};
}
