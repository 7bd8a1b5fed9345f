#pragma once
// File open and save choosers behind a replaceable runner, so that tests supply the paths.

#include <QString>

#include <optional>

class QWidget;

struct FileChooserRequest {
    bool save = false;
    QString caption{};
    QString directory{};
    QString fileName{}; // proposed name (save), the name offered first (open)
    QString filter{};   // "Text files (*.txt);;All files (*)"
    QWidget* parent = nullptr;
    QString defaultSuffix{}; // added to a typed name that has none ("wav")
    // Open: a name not there yet is taken too, without an overwrite question, as long as its folder exists.
    bool mayBeNew = false;
};

class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The chosen path, or nullopt when the person cancels.
    virtual std::optional<QString> ChooseFile(const FileChooserRequest& request) = 0;
};

FileChooser& CurrentFileChooser();
// Installs a chooser (not owned; null restores the default) and returns the one installed before (null for the
// default).
FileChooser* SetFileChooser(FileChooser* chooser);

std::optional<QString> ChooseFile(const FileChooserRequest& request);

// The file to save a picture or an export in: the operator's choice, offered `last` first; `suffix` is added to a
// name that has none.
std::optional<QString> ChooseSaveFile(QWidget* parent, const QString& last, const QString& filter,
                                      const QString& suffix);
