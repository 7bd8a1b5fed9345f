#pragma once
// CExportDlg (dialog 215, "Export"): writes a list to a delimited data file and its ".ini" header file. The list's
// owner builds one on its stack, gives it its target, the list, a file stem and the delimiter, and runs it:
//
//     CExportDlg dlg;
//     dlg.SetTarget(GetNeId(), &GetTargetEntity());
//     dlg.SetExportSource(list, "TrapLog", '\t');
//     dlg.SetExportTitle("Trap Log");
//     dlg.DoModal();
//
// The dialog proposes "<working directory>/<stem>.txt", shows what the header will say, and lets the operator choose
// another file, append to it, or start it with the title and field-name lines. A column is written unless the
// list's dialog or view reports it hidden. The header file is "<working directory>/<stem>.ini", wherever the data file
// goes (see export_file.h).

#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <functional>
#include <memory>
#include <string>

class QTreeView;
class CListHost;

namespace Ui {
class CExportDlg;
}

class CExportDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 215;
    static constexpr int kFileNameId = 1257;
    static constexpr int kBrowseId = 1166;
    static constexpr int kAppendId = 1059;
    static constexpr int kWriteTitleId = 1060;
    // What the operator may type into the file name; a chosen file's path, and what OK writes to, may be longer.
    static constexpr int kFileNameEditMax = 127;
    static constexpr int kPathMax = 255;
    // The working directory and the stem together; a longer pair ends the dialog with "Internal error".
    static constexpr size_t kBasePathMax = 127;
    static constexpr size_t kStemMax = 127;
    static constexpr size_t kTitleMax = 127;

    explicit CExportDlg(QWidget* parent = nullptr);
    ~CExportDlg() override;

    // The list, the file stem (a ".txt" ending in any case is dropped; at most 127 characters) and the delimiter.
    // Ignored when the list or the stem is null.
    void SetExportSource(QTreeView* list, const char* stem, char delimiter);
    // The title of the export (127 characters kept); without one the owner window's caption gives it.
    void SetExportTitle(const char* title);

    QTreeView* GetSourceList() const { return sourceList_; }
    const std::string& GetBasePath() const { return basePath_; }
    const std::string& GetStem() const { return stem_; }
    char GetDelimiter() const { return delimiter_; }
    const std::string& GetExportTitle() const { return exportTitle_; }
    const QString& GetFileName() const { return fileName_; }
    bool GetAppendData() const { return appendData_ != 0; }
    bool GetWriteTitle() const { return writeTitle_ != 0; }

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnCommand(int id, int code) override;
    void OnOK() override;

private:
    void FillInformation();
    void SetInformationValue(const char* key, const QString& value);
    CListHost* ListOwner() const;
    QWidget* OwnerWindow() const;

    std::unique_ptr<Ui::CExportDlg> ui_;
    QTreeView* sourceList_ = nullptr;
    std::string stem_;
    std::string basePath_;
    char delimiter_ = '\t';
    std::string exportTitle_;
    int appendData_ = 0;
    QString fileName_;
    int writeTitle_ = 0;
};

// Where the dialog takes the application's current location at construction; the main frame installs its getter.
// Without one the location is 0, and the information names the target NE's location or the root.
void SetExportCurrentLocationSource(std::function<int()> source);
