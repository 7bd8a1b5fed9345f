#include "platform/file_chooser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {

// A chooser that takes a name only in a folder that exists.
class FolderMustExistDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override
    {
        const QStringList files = selectedFiles();
        if (!files.isEmpty() && !QFileInfo(files.constFirst()).absoluteDir().exists())
            return;
        QFileDialog::accept();
    }
};

class QtFileChooser : public FileChooser {
public:
    std::optional<QString> ChooseFile(const FileChooserRequest& request) override
    {
        const QString start = request.fileName.isEmpty()    ? request.directory
                              : request.directory.isEmpty() ? request.fileName
                                                            : QDir(request.directory).filePath(request.fileName);
        FolderMustExistDialog dialog(request.parent, request.caption, start, request.filter);
        dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        // An opened file must exist unless it may be new; a saved one is asked about before it is overwritten.
        dialog.setFileMode(request.save || request.mayBeNew ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        dialog.setDefaultSuffix(request.defaultSuffix);
        if (!request.fileName.isEmpty())
            dialog.selectFile(request.fileName);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        const QString path = dialog.selectedFiles().constFirst();
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
    request.defaultSuffix = suffix;
    std::optional<QString> chosen = ChooseFile(request);
    if (chosen && QFileInfo(*chosen).suffix().isEmpty())
        *chosen += QLatin1Char('.') + suffix;
    return chosen;
}
