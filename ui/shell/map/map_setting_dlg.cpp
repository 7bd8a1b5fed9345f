#include "ui/shell/map/map_setting_dlg.h"

#include "core/util/names.h"
#include "platform/dc.h"
#include "platform/delta_spin.h"
#include "platform/file_chooser.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui/framework/skin/ie_picture.h"
#include "ui_map_setting_dlg.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>

#include <algorithm>

namespace {

// The margin the messages name between the bounds; the check itself only asks for the greater value.
constexpr double kBoundMargin = 0.1;
constexpr char kBrowseFilter[] = "Bitmap Files (*.bmp);;Jpeg Files (*.jpg);;GIF Files (*.gif);;WMF Files (*.wmf);;DIB "
                                 "Files (*.dib);;EMF Files (*.emf);;All Files (*.*)";

QString Trimmed(const QString& text)
{
    return text.trimmed();
}

} // namespace

CMapSettingDlg::CMapSettingDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CMapSettingDlg>())
{
    ui_->setupUi(this);
}

CMapSettingDlg::~CMapSettingDlg() = default;

void CMapSettingDlg::SetMap(const CMapDef& map)
{
    mapId_ = map.id;
    name_ = QString::fromStdString(map.name);
    file_ = QString::fromStdString(map.imageFile);
    west_ = map.west;
    east_ = map.east;
    north_ = map.north;
    south_ = map.south;
}

CMapDef CMapSettingDlg::GetMap() const
{
    CMapDef map;
    map.id = mapId_;
    map.name = name_.toStdString();
    map.imageFile = file_.toStdString();
    map.west = west_;
    map.east = east_;
    map.north = north_;
    map.south = south_;
    return map;
}

void CMapSettingDlg::SetIdsInUse(const std::vector<uint32_t>& ids)
{
    idsInUse_.assign(ids.begin(), ids.begin() + static_cast<std::ptrdiff_t>(std::min(ids.size(), kMaxIdsInUse)));
}

bool CMapSettingDlg::IsIdInUse(uint32_t id) const
{
    for (uint32_t used : idsInUse_) {
        if (used == 0)
            return false;
        if (used == id)
            return true;
    }
    return false;
}

void CMapSettingDlg::InitData()
{
    LimitTextToField(kNameId, CMapDef::kMaxNameLength + 1);
    LimitTextToField(kFileId, kFileNameMax + 1);
    const bool adding = GetAccessMode() == kAccessCreate;
    SetControlReadOnly(kMapIdId, !adding);
    EnableControl(kMapIdSpinId, adding);
    EnableControl(IDOK, GetAccessMode() != kAccessQuery);
    UpdateData(false);
    GetDlgItem(kFileId)->installEventFilter(this);
    DrawPreview();
}

void CMapSettingDlg::DoDataExchange(CDataExchange& dx)
{
    // Show takes the values as they are; modify and add check their ranges. The first value refused ends it.
    const bool checked = GetAccessMode() != kAccessQuery;
    if (GetAccessMode() == kAccessCreate)
        DDX_TextInRange(dx, *this, kMapIdId, mapId_, 1, CMapDef::kMaxId);
    else
        DDX_TextInRange(dx, *this, kMapIdId, mapId_, 0, UINT32_MAX);
    DDX_Text(dx, kNameId, name_);
    DDX_Text(dx, kFileId, file_);
    const struct {
        int id;
        float* value;
        float minimum;
        float maximum;
    } bounds[] = {{kWestId, &west_, kWorldWest, kWorldEast},
                  {kEastId, &east_, kWorldWest, kWorldEast},
                  {kNorthId, &north_, kWorldSouth, kWorldNorth},
                  {kSouthId, &south_, kWorldSouth, kWorldNorth}};
    for (const auto& bound : bounds) {
        if (dx.Failed())
            return;
        DDX_RealInRange(dx, *this, bound.id, *bound.value, bound.minimum, bound.maximum, checked);
    }
}

void CMapSettingDlg::OnOK()
{
    if (!UpdateDialogData())
        return;
    if (mapId_ != 0 && IsIdInUse(mapId_)) {
        ShowAlertTextById(kStrMapIdIsUsed, kMapIdId);
        return;
    }
    const QString name = Trimmed(name_);
    if (name.isEmpty()) {
        ShowAlertTextById(kStrDataIsBlank, kNameId);
        return;
    }
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        if (c.unicode() > 0x7F || !IsValidNameChar(static_cast<char>(c.unicode()))) {
            // The character is marked in the edit, where the operator mends it.
            auto* edit = GetDlgItemAs<QLineEdit>(kNameId);
            const qsizetype leading = name_.indexOf(name);
            edit->setSelection(static_cast<int>(leading + i), 1);
            ShowAlertTextById(kStrValidNameCharacters, kNameId);
            return;
        }
    }
    const QString file = Trimmed(file_);
    if (file.isEmpty()) {
        ShowAlertTextById(kStrDataIsBlank, kBrowseId);
        return;
    }
    if (east_ <= west_) {
        ShowAlertText(
            LoadQString(kStrEastMustBeGreater).replace(QStringLiteral("%.4f"), QString::number(kBoundMargin, 'f', 4)),
            kEastId);
        return;
    }
    if (north_ <= south_) {
        ShowAlertText(
            LoadQString(kStrNorthMustBeGreater).replace(QStringLiteral("%.4f"), QString::number(kBoundMargin, 'f', 4)),
            kNorthId);
        return;
    }
    // Only a warning: the map list limits the bounds when it is saved.
    if (west_ < kWorldWest || east_ > kWorldEast || north_ > kWorldNorth || south_ < kWorldSouth)
        ShowStatusMessageById(kStrBoundaryOverDefaultRange);
    name_ = name;
    file_ = file;
    EndDialog(IDOK);
}

bool CMapSettingDlg::OnCommand(int id, int code)
{
    if (id == kBrowseId) {
        OnBrowse();
        return true;
    }
    return CADialog::OnCommand(id, code);
}

bool CMapSettingDlg::OnNotify(const NotifyHeader& header, int* result)
{
    if (header.idFrom == kMapIdSpinId && header.code == UDN_DELTAPOS) {
        StepNumberEdit(GetDlgItemAs<QLineEdit>(kMapIdId), header.delta, 1, CMapDef::kMaxId);
        return true;
    }
    return CADialog::OnNotify(header, result);
}

bool CMapSettingDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && watched == GetDlgItem(kFileId))
        DrawPreview();
    return CADialog::eventFilter(watched, event);
}

void CMapSettingDlg::OnBrowse()
{
    if (!UpdateDialogData())
        return;
    FileChooserRequest request;
    request.fileName = file_;
    request.filter = QString::fromLatin1(kBrowseFilter);
    request.parent = this;
    request.defaultSuffix = QStringLiteral("jpg");
    const std::optional<QString> chosen = ChooseFile(request);
    if (!chosen)
        return;
    file_ = *chosen;
    UpdateData(false);
    DrawPreview();
}

void CMapSettingDlg::DrawPreview()
{
    auto* preview = GetDlgItemAs<QLabel>(kPreviewId);
    if (preview == nullptr || !UpdateData(true))
        return;
    preview->clear();
    // The name as the map list keeps it: Windows-style and relative to the working directory are both taken.
    CMapDef named;
    named.imageFile = Trimmed(file_).toStdString();
    // A file that is no picture, or too large a one, leaves the preview empty without a word.
    CIEPicture picture(CIEPicture::Reports::None);
    if (picture.LoadFromFile(QString::fromStdString(named.GetImagePath())) == 0)
        return;
    // The whole picture, stretched over the control.
    const QSize area = preview->contentsRect().size();
    ImageDc memory(area.width(), area.height());
    if (picture.Render(&memory.dc(), 0, 0, area.width(), area.height()) != 0)
        preview->setPixmap(QPixmap::fromImage(memory.Finish()));
}

bool CMapSettingDlg::HasPreview() const
{
    const auto* preview = GetDlgItemAs<QLabel>(kPreviewId);
    return preview != nullptr && !preview->pixmap().isNull();
}

void CMapSettingDlg::OnDestroy()
{
    if (auto* preview = GetDlgItemAs<QLabel>(kPreviewId))
        preview->clear();
    CADialog::OnDestroy();
}
