#include "ui/framework/lists/export_dlg.h"

#include "core/config/app_settings.h"
#include "core/export/export_file.h"
#include "core/tables/app_data.h"
#include "core/tables/entity_labels.h"
#include "core/util/ip_address.h"
#include "platform/file_chooser.h"
#include "platform/list_control.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui/framework/views/form_view.h"
#include "ui_export_dlg.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QTreeView>
#include <QValidator>

#include <algorithm>
#include <cctype>

namespace {

constexpr int kValueColumn = 1;
constexpr int kKeyColumn = 2;
// The last three rows describe the files; they are not written to the header.
constexpr int kFileRows = 3;

std::function<int()>& CurrentLocationSource()
{
    static std::function<int()> source;
    return source;
}

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

// What the operator types into an edit stops at a number of characters; a longer text the program put there stays
// whole, and the operator may shorten it but not lengthen it. The edit's own maximum length would cut such a text.
class CTypedLengthValidator : public QValidator {
public:
    CTypedLengthValidator(int maxTyped, QLineEdit& edit) : QValidator(&edit), maxTyped_(maxTyped), before_(edit.text())
    {
        connect(&edit, &QLineEdit::textChanged, this, [this](const QString& text) { before_ = text; });
    }

    // The edit asks before it takes a change; `before_` still holds the text the change starts from.
    State validate(QString& input, int& /*pos*/) const override
    {
        return input.size() <= maxTyped_ || input.size() <= before_.size() ? Acceptable : Invalid;
    }

private:
    int maxTyped_;
    QString before_;
};

// The title a window caption gives: a leading "[...] " and then a leading "<...> " are dropped.
std::string TitleFromCaption(std::string caption)
{
    auto dropPrefix = [&caption](char open, char close) {
        if (caption.empty() || caption.front() != open)
            return;
        const size_t end = caption.find(close);
        if (end == std::string::npos)
            return;
        size_t next = end + 1;
        if (next < caption.size() && caption[next] == ' ')
            ++next;
        caption.erase(0, next);
    };
    dropPrefix('[', ']');
    dropPrefix('<', '>');
    return caption;
}

bool EndsWithTxt(const std::string& stem)
{
    if (stem.size() < 4)
        return false;
    std::string end = stem.substr(stem.size() - 4);
    std::transform(end.begin(), end.end(), end.begin(), [](unsigned char c) { return std::tolower(c); });
    return end == ".txt";
}

} // namespace

void SetExportCurrentLocationSource(std::function<int()> source)
{
    CurrentLocationSource() = std::move(source);
}

CExportDlg::CExportDlg(QWidget* parent) : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CExportDlg>())
{
    ui_->setupUi(this);
    SetRowColorMode(kRowColorsNone);
    SetLocationId(CurrentLocationSource() ? CurrentLocationSource()() : 0);
    SetUserName(AppData().GetLoginUserName().c_str());
}

CExportDlg::~CExportDlg() = default;

void CExportDlg::SetExportSource(QTreeView* list, const char* stem, char delimiter)
{
    if (list == nullptr || stem == nullptr)
        return;
    std::string text = stem;
    if (EndsWithTxt(text))
        text.resize(text.size() - 4);
    if (text.size() > kStemMax)
        text.resize(kStemMax);
    sourceList_ = list;
    stem_ = text;
    delimiter_ = delimiter;
}

void CExportDlg::SetExportTitle(const char* title)
{
    exportTitle_ = title != nullptr ? std::string(title).substr(0, kTitleMax) : std::string();
}

QWidget* CExportDlg::OwnerWindow() const
{
    if (parentWidget() != nullptr)
        return parentWidget()->window();
    return sourceList_ != nullptr ? sourceList_->window() : nullptr;
}

// The dialog or view that holds the list and knows which of its columns are hidden.
CListHost* CExportDlg::ListOwner() const
{
    QWidget* start = parentWidget() != nullptr ? parentWidget() : (sourceList_ ? sourceList_->parentWidget() : nullptr);
    for (QWidget* w = start; w != nullptr; w = w->parentWidget()) {
        if (auto* dialog = qobject_cast<CADialog*>(w))
            return dialog->GetKindMarker() == kDialogKindMarker ? static_cast<CListHost*>(dialog) : nullptr;
        if (auto* view = qobject_cast<CAFormView*>(w))
            return view->GetKindMarker() == kViewKindMarker ? static_cast<CListHost*>(view) : nullptr;
    }
    return nullptr;
}

void CExportDlg::InitData()
{
    if (sourceList_ == nullptr || stem_.empty()) {
        ShowAlertTextById(kStrInternalError);
        EndDialog(IDCANCEL);
        return;
    }
    ui_->fileName->setValidator(new CTypedLengthValidator(kFileNameEditMax, *ui_->fileName));
    writeTitle_ = 1;
    appendData_ = 0;
    EnableControl(kAppendId, false);

    if (exportTitle_.empty()) {
        const QWidget* owner = OwnerWindow();
        exportTitle_ = owner != nullptr && owner != this ? TitleFromCaption(owner->windowTitle().toStdString())
                                                         : GetAppTitle(AppSettings());
    }
    UpdateCaption(kCaptionText | kCaptionTargetFirst, exportTitle_.c_str());

    std::string directory = QDir::currentPath().toStdString();
    if (directory.empty() || directory.back() != '/')
        directory += '/';
    basePath_ = directory + stem_;
    if (basePath_.size() > kBasePathMax) {
        // Cut, the path would name another file.
        ShowAlertTextById(kStrInternalError);
        EndDialog(IDCANCEL);
        return;
    }
    fileName_ = Q(basePath_ + ".txt");
    FillInformation();
    UpdateData(false);
}

void CExportDlg::FillInformation()
{
    InitListColumnsById(kStrColumnsExportInfo, kListControlId);
    CListControl info(FindList(kListControlId));
    info.DeleteAllItems();
    auto add = [&info](const char* label, const QString& value, const char* key) {
        const int row = info.InsertItem(info.GetItemCount(), QString::fromLatin1(label));
        info.SetItemText(row, kValueColumn, value);
        info.SetItemText(row, kKeyColumn, QString::fromLatin1(key));
    };
    const CAppSettings& settings = AppSettings();
    const bool serverMode = !settings.directControl;
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));

    add("Title", Q(exportTitle_), "TITLE");
    if (serverMode) {
        add("Server IP", Q(FormatIpAddress(settings.serverIp.data())), "SERVERIP");
        add("Server port", QString::number(settings.serverPort), "SERVERPORT");
        const CLocationNode* location =
            GetLocationId() != 0 ? FindLocation(static_cast<uint32_t>(GetLocationId())) : nullptr;
        if (location == nullptr && ne != nullptr)
            location = FindLocation(ne->locationId);
        if (location == nullptr)
            location = &AppData().locations.Root();
        add("Location", Q(location->name), "LOCATION");
    }
    add("NE", ne != nullptr ? Q(ne->name) : QString(), "NE");
    add("Entity", ne != nullptr ? Q(FormatEntityLocation(ne, GetTargetEntity().index, 0, true)) : QString(), "ENTITY");
    add("User", Q(GetUserName()), "USER");
    add("Export data file", fileName_, "DATAFILE");
    add("Header file", Q(basePath_ + ".ini"), "HEADERFILE");
    add("Record count", QString::number(CListControl(sourceList_).GetItemCount()), "RECORDCNT");
}

void CExportDlg::SetInformationValue(const char* key, const QString& value)
{
    CListControl info(FindList(kListControlId));
    for (int row = 0; row < info.GetItemCount(); ++row) {
        if (info.GetItemText(row, kKeyColumn) == QLatin1String(key))
            info.SetItemText(row, kValueColumn, value);
    }
}

void CExportDlg::DoDataExchange(CDataExchange& dx)
{
    // The limit holds what the operator types; a longer path the dialog puts there (a chosen file) stays whole.
    const QValidator* limit = ui_->fileName->validator();
    if (!dx.IsSaving())
        ui_->fileName->setValidator(nullptr);
    DDX_Text(dx, kFileNameId, fileName_);
    if (!dx.IsSaving())
        ui_->fileName->setValidator(limit);
    DDX_Check(dx, kWriteTitleId, writeTitle_);
    DDX_Check(dx, kAppendId, appendData_);
}

bool CExportDlg::OnCommand(int id, int code)
{
    const bool handled = CADialog::OnCommand(id, code);
    if (code != BN_CLICKED)
        return handled;
    if (id == kAppendId || id == kWriteTitleId) {
        // Appending and starting the file with its title exclude each other.
        QCheckBox* clicked = id == kAppendId ? ui_->appendData : ui_->writeTitle;
        QCheckBox* other = id == kAppendId ? ui_->writeTitle : ui_->appendData;
        if (clicked->isChecked())
            other->setChecked(false);
        other->setEnabled(!clicked->isChecked());
        return true;
    }
    if (id == kBrowseId) {
        if (!UpdateData(true))
            return true;
        FileChooserRequest request;
        request.save = true;
        request.caption = windowTitle();
        request.fileName = fileName_;
        request.filter = QStringLiteral("ASCII Files (*.txt *.csv *.dat);;All Files (*)");
        request.parent = this;
        if (const std::optional<QString> chosen = ChooseFile(request)) {
            fileName_ = chosen->left(kPathMax);
            SetInformationValue("DATAFILE", fileName_);
            UpdateData(false);
        }
        return true;
    }
    return handled;
}

void CExportDlg::OnOK()
{
    if (!UpdateDialogData())
        return;
    fileName_ = fileName_.trimmed();
    if (fileName_.isEmpty()) {
        ShowAlertTextById(kStrDataIsBlank, kFileNameId);
        return;
    }
    CListHost* owner = ListOwner();
    CListControl list(sourceList_);
    ExportTable table;
    const int columns = list.GetColumnCount();
    for (int c = 0; c < columns; ++c) {
        table.titles.push_back(list.GetColumnTitle(c).toStdString());
        table.written.push_back(owner == nullptr || !owner->IsColumnHidden(c));
    }
    const int rows = list.GetItemCount();
    table.rows.reserve(static_cast<size_t>(rows));
    for (int r = 0; r < rows; ++r) {
        std::vector<std::string> cells;
        cells.reserve(static_cast<size_t>(columns));
        for (int c = 0; c < columns; ++c)
            cells.push_back(list.GetItemText(r, c).toStdString());
        table.rows.push_back(std::move(cells));
    }

    ExportRequest request;
    request.dataPath = fileName_.left(kPathMax).toStdString();
    request.headerPath = basePath_ + ".ini";
    request.title = exportTitle_;
    request.delimiter = delimiter_;
    request.append = appendData_ != 0;
    request.writeTitle = writeTitle_ != 0;
    CListControl info(FindList(kListControlId));
    for (int row = 0; row + kFileRows < info.GetItemCount(); ++row)
        request.info.push_back(
            {info.GetItemText(row, kKeyColumn).toStdString(), info.GetItemText(row, kValueColumn).toStdString()});

    const ExportOutcome outcome = WriteExportFiles(request, table);
    if (outcome.status != ExportStatus::Written) {
        ShowAlertTextById(kStrFailToOpenFile, kFileNameId);
        return;
    }
    ShowInfoTextById(kStrCompleteExportingFile);
    EndDialog(IDOK);
}
