#include "features/management/ne/ne_position_page.h"

#include "core/map/map_list.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui_ne_position_page.h"

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include <cmath>

namespace {

constexpr int kMarkerSize = 12;

QString Degrees(float value)
{
    return QString::number(static_cast<double>(value), 'f', 4);
}

GeoBounds BoundsOf(const CMapDef& map)
{
    return {map.west, map.east, map.north, map.south};
}

QPixmap MarkerPicture()
{
    QPixmap picture(kMarkerSize, kMarkerSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::red);
    painter.drawEllipse(1, 1, kMarkerSize - 2, kMarkerSize - 2);
    return picture;
}

} // namespace

CNePositionPage::CNePositionPage(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CNePositionPage>()),
      bounds_(BoundsOf(CurrentMapList().GetWorldMap())), position_(CentreOf(bounds_))
{
    ui_->setupUi(this);
    ui_->marker->setPixmap(MarkerPicture());
}

CNePositionPage::~CNePositionPage() = default;

bool CNePositionPage::OnInitDialog()
{
    CADialog::OnInitDialog();
    Refresh();
    return true;
}

void CNePositionPage::DoDataExchange(CDataExchange& dx)
{
    if (GetAccessMode() == kAccessQuery) {
        QString longitude = Degrees(position_.longitude);
        QString latitude = Degrees(position_.latitude);
        DDX_Text(dx, kLongitudeId, longitude);
        DDX_Text(dx, kLatitudeId, latitude);
        return;
    }
    DDX_RealInRange(dx, *this, kLongitudeId, position_.longitude, -180.0F, 180.0F);
    DDX_RealInRange(dx, *this, kLatitudeId, position_.latitude, -90.0F, 90.0F);
}

void CNePositionPage::SetMapBounds(const CMapDef& map)
{
    bounds_ = BoundsOf(map);
    Refresh();
}

void CNePositionPage::Refresh()
{
    if (auto* label = GetDlgItemAs<QLabel>(kMaxLongitudeId))
        label->setText(Degrees(bounds_.east));
    if (auto* label = GetDlgItemAs<QLabel>(kMinLongitudeId))
        label->setText(Degrees(bounds_.west));
    if (auto* label = GetDlgItemAs<QLabel>(kMaxLatitudeId))
        label->setText(Degrees(bounds_.north));
    if (auto* label = GetDlgItemAs<QLabel>(kMinLatitudeId))
        label->setText(Degrees(bounds_.south));
    // What the operator typed counts, as far as it reads as numbers.
    UpdateData(true);
    position_ = ClampToBounds(position_, bounds_);
    UpdateData(false);
    PlaceMarker();
}

void CNePositionPage::PlaceMarker()
{
    QWidget* frame = GetDlgItem(kMapFrameId);
    QWidget* marker = GetDlgItem(kMarkerId);
    auto* longitude = GetDlgItemAs<QLineEdit>(kLongitudeId);
    auto* latitude = GetDlgItemAs<QLineEdit>(kLatitudeId);
    if (frame == nullptr || marker == nullptr || longitude == nullptr || latitude == nullptr)
        return;
    const GeoPoint shown{longitude->text().toFloat(), latitude->text().toFloat()};
    const QRect area = frame->geometry();
    const PixelPoint at = GeoToPixel(shown, bounds_, area.width(), area.height());
    marker->move(area.left() + static_cast<int>(std::lround(at.x)) - marker->width() / 2,
                 area.top() + static_cast<int>(std::lround(at.y)) - marker->height() / 2);
    marker->raise();
    marker->update();
}

void CNePositionPage::ClampEdit(int id)
{
    auto* edit = GetDlgItemAs<QLineEdit>(id);
    if (edit == nullptr)
        return;
    const float value = edit->text().trimmed().toFloat();
    const GeoPoint clamped = ClampToBounds(
        id == kLongitudeId ? GeoPoint{value, position_.latitude} : GeoPoint{position_.longitude, value}, bounds_);
    if (id == kLongitudeId)
        position_.longitude = clamped.longitude;
    else
        position_.latitude = clamped.latitude;
    edit->setText(Degrees(id == kLongitudeId ? clamped.longitude : clamped.latitude));
    PlaceMarker();
}

int CNePositionPage::OnCommandHook(int id, int code)
{
    if (code == EN_KILLFOCUS && (id == kLongitudeId || id == kLatitudeId) && !IsControlReadOnly(id)) {
        ClampEdit(id);
        return 1;
    }
    return 0;
}

void CNePositionPage::DragTo(const QPoint& at)
{
    QWidget* frame = GetDlgItem(kMapFrameId);
    // In every mode, Show too: the marker follows the mouse and the edits say where it stands.
    if (frame == nullptr)
        return;
    // The frame's right and bottom edges lie inside it: a drag into a corner gives the map's bounds exactly.
    const QRect area = frame->geometry();
    if (at.x() < area.left() || at.x() > area.left() + area.width() || at.y() < area.top() ||
        at.y() > area.top() + area.height())
        return;
    const GeoPoint point =
        PixelToGeo({static_cast<double>(at.x() - area.left()), static_cast<double>(at.y() - area.top())}, bounds_,
                   area.width(), area.height());
    if (auto* edit = GetDlgItemAs<QLineEdit>(kLongitudeId))
        edit->setText(Degrees(point.longitude));
    if (auto* edit = GetDlgItemAs<QLineEdit>(kLatitudeId))
        edit->setText(Degrees(point.latitude));
    position_ = point;
    PlaceMarker();
}

void CNePositionPage::mouseMoveEvent(QMouseEvent* event)
{
    if ((event->buttons() & Qt::LeftButton) != 0)
        DragTo(event->position().toPoint());
    CADialog::mouseMoveEvent(event);
}
