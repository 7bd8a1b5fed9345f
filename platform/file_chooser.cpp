#include "platform/file_chooser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {

class QtFileChooser : public FileChooser {
public:
    std::optional<QString> ChooseFile(const FileChooserRequest& request) override
    {
        QString path;
        if (request.save) {
            const QString start =
                request.fileName.isEmpty() ? request.directory : QDir(request.directory).filePath(request.fileName);
            path = QFileDialog::getSaveFileName(request.parent, request.caption, start, request.filter);
        } else {
            path = QFileDialog::getOpenFileName(request.parent, request.caption, request.directory, request.filter);
        }
        if (path.isEmpty())
            return std::nullopt;
        return path;
    }
};

QtFileChooser defaultChooser;
FileChooser* installed = nullptr;

} // namespace

FileChooser& CurrentFileChooser()
{
    return installed ? *installed : defaultChooser;
}

FileChooser* SetFileChooser(FileChooser* chooser)
{
    FileChooser* previous = installed;
    installed = chooser;
    return previous;
}

std::optional<QString> ChooseFile(const FileChooserRequest& request)
{
    return CurrentFileChooser().ChooseFile(request);
}

std::optional<QString> ChooseSaveFile(QWidget* parent, const QString& last, const QString& filter,
                                      const QString& suffix)
{
    FileChooserRequest request;
    request.save = true;
    request.fileName = last;
    request.filter = filter;
    request.parent = parent;
    std::optional<QString> chosen = ChooseFile(request);
    if (chosen && QFileInfo(*chosen).suffix().isEmpty())
        *chosen += QLatin1Char('.') + suffix;
    return chosen;
}
