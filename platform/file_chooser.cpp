#include "platform/file_chooser.h"

#include <QDir>
#include <QFileDialog>

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
