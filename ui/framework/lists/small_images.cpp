#include "ui/framework/lists/small_images.h"

#include "platform/color_ref.h"
#include "ui/framework/lists/severity_palette.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>

namespace {

QPixmap Blank()
{
    QPixmap picture(kSmallImageSize, kSmallImageSize);
    picture.fill(Qt::transparent);
    return picture;
}

// A round lamp with a darker rim and a light spot, as the severity and state pictures are drawn.
QPixmap Lamp(COLORREF color)
{
    QPixmap picture = Blank();
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor base = ToQColor(color);
    QRadialGradient fill(QPointF(6.0, 6.0), 9.0);
    fill.setColorAt(0.0, base.lighter(160));
    fill.setColorAt(1.0, base);
    p.setBrush(fill);
    p.setPen(QPen(base.darker(170), 1.0));
    p.drawEllipse(QRectF(1.5, 1.5, 13.0, 13.0));
    return picture;
}

// A filled triangle pointing up or down, for the sort marks.
QPixmap Arrow(bool up, const QColor& color)
{
    QPixmap picture = Blank();
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    if (up) {
        path.moveTo(8, 4);
        path.lineTo(13, 11);
        path.lineTo(3, 11);
    } else {
        path.moveTo(3, 5);
        path.lineTo(13, 5);
        path.lineTo(8, 12);
    }
    path.closeSubpath();
    p.fillPath(path, color);
    return picture;
}

// A triangle pointing right: something under way.
QPixmap Running(const QColor& color)
{
    QPixmap picture = Blank();
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.moveTo(4, 2.5);
    path.lineTo(13, 8);
    path.lineTo(4, 13.5);
    path.closeSubpath();
    p.fillPath(path, color);
    return picture;
}

QPixmap Tick(const QColor& color)
{
    QPixmap picture = Blank();
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(color, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
    return picture;
}

QPixmap Cross(const QColor& color)
{
    QPixmap picture = Blank();
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(color, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4, 4), QPointF(12, 12));
    p.drawLine(QPointF(12, 4), QPointF(4, 12));
    return picture;
}

// Two linked rings (link up) or two rings apart (link down).
QPixmap Link(bool up)
{
    QPixmap picture = Blank();
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(up ? QColor(0, 140, 0) : QColor(200, 0, 0), 2.0));
    p.setBrush(Qt::NoBrush);
    if (up) {
        p.drawEllipse(QRectF(1.5, 4.5, 8, 7));
        p.drawEllipse(QRectF(6.5, 4.5, 8, 7));
    } else {
        p.drawEllipse(QRectF(0.5, 4.5, 6, 7));
        p.drawEllipse(QRectF(9.5, 4.5, 6, 7));
    }
    return picture;
}

// A person: head and shoulders in the role's colour.
QPixmap Person(const QColor& color, bool outlined)
{
    QPixmap picture = Blank();
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(color.darker(150), 1.0));
    p.setBrush(outlined ? QBrush(Qt::white) : QBrush(color));
    p.drawEllipse(QRectF(5, 1.5, 6, 6));
    QPainterPath body;
    body.moveTo(2.5, 15);
    body.cubicTo(2.5, 8.5, 13.5, 8.5, 13.5, 15);
    body.closeSubpath();
    p.drawPath(body);
    return picture;
}

// A disk (backup), with a clock hand for the automatic one.
QPixmap Disk(bool automatic)
{
    QPixmap picture = Blank();
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 60, 120), 1.0));
    p.setBrush(QColor(90, 120, 200));
    p.drawRect(QRectF(2.5, 2.5, 11, 11));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 2.5, 7, 4));
    if (automatic) {
        p.setPen(QPen(QColor(255, 220, 0), 1.5));
        p.drawLine(QPointF(8, 10), QPointF(8, 8));
        p.drawLine(QPointF(8, 10), QPointF(10, 11));
    }
    return picture;
}

// A house (a home user) or an office block (an enterprise user).
QPixmap Building(bool office)
{
    QPixmap picture = Blank();
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    if (!office) {
        p.setPen(QPen(QColor(120, 50, 20), 1.0));
        p.setBrush(QColor(200, 70, 40));
        p.drawPolygon(QPolygonF({QPointF(1.5, 8), QPointF(8, 1.5), QPointF(14.5, 8)}));
        p.setBrush(QColor(240, 220, 170));
        p.drawRect(QRectF(3.5, 8, 9, 6.5));
        p.setBrush(QColor(120, 70, 30));
        p.drawRect(QRectF(6.5, 10.5, 3, 4));
        return picture;
    }
    p.setPen(QPen(QColor(50, 60, 90), 1.0));
    p.setBrush(QColor(130, 150, 190));
    p.drawRect(QRectF(3.5, 1.5, 9, 13));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 240, 255));
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 2; ++column)
            p.drawRect(QRectF(5 + column * 4, 3 + row * 3, 2, 2));
    }
    return picture;
}

// A small chain link: a column sorted through another key.
QPixmap SortedElsewhere()
{
    QPixmap picture = Blank();
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(70, 70, 70), 1.5));
    p.drawLine(QPointF(4, 3), QPointF(4, 13));
    p.drawLine(QPointF(12, 3), QPointF(12, 13));
    p.drawLine(QPointF(4, 8), QPointF(12, 8));
    p.drawLine(QPointF(10, 6), QPointF(12, 8));
    p.drawLine(QPointF(10, 10), QPointF(12, 8));
    return picture;
}

} // namespace

void CImageList::Set(int index, const QPixmap& picture)
{
    if (index < 0)
        return;
    if (static_cast<size_t>(index) >= images_.size())
        images_.resize(static_cast<size_t>(index) + 1);
    QPixmap scaled = picture;
    if (!scaled.isNull() && scaled.size() != QSize(kSmallImageSize, kSmallImageSize))
        scaled = scaled.scaled(kSmallImageSize, kSmallImageSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    images_[static_cast<size_t>(index)] = scaled;
}

QPixmap CImageList::Get(int index) const
{
    if (index < 0 || static_cast<size_t>(index) >= images_.size())
        return {};
    return images_[static_cast<size_t>(index)];
}

QPixmap DrawBuiltInSmallImage(int index)
{
    if (index >= kImageSeverityCleared && index <= kImageSeverityInfo)
        return Lamp(ColorOfSeverity(kSeverityLampColors, index - kImageSeverityCleared));
    switch (index) {
    case kImageLinkUp:
        return Link(true);
    case kImageLinkDown:
        return Link(false);
    case kImageManualBackup:
        return Disk(false);
    case kImageAutomaticBackup:
        return Disk(true);
    case kImageDone:
        return Tick(QColor(0, 150, 0));
    case kImageFailed:
        return Cross(QColor(210, 0, 0));
    case kImageStarted:
        return Running(QColor(0, 150, 0));
    case kImageMember:
        return Person(QColor(40, 120, 200), false);
    case kImageNonMember:
        return Person(QColor(150, 150, 150), true);
    case kImageSortAscending:
        return Arrow(true, QColor(60, 60, 60));
    case kImageSortDescending:
        return Arrow(false, QColor(60, 60, 60));
    case kImageHomeUser:
        return Building(false);
    case kImageEnterpriseUser:
        return Building(true);
    case kImageEnabled:
        return Lamp(Rgb(0x20, 0xC0, 0x20));
    case kImageDisabled:
        return Lamp(Rgb(0x90, 0x90, 0x90));
    case kImageSortedElsewhere:
        return SortedElsewhere();
    case kImageRoleAdministrator:
        return Person(QColor(200, 40, 40), false);
    case kImageRoleManager:
        return Person(QColor(220, 150, 0), false);
    case kImageRoleUser:
        return Person(QColor(40, 120, 200), false);
    case kImageRoleUnknown:
        return Person(QColor(150, 150, 150), true);
    default:
        return {};
    }
}

CImageList& SharedSmallImages()
{
    static CImageList images = [] {
        CImageList list;
        for (int index = 0; index <= kImageRoleUnknown; ++index) {
            const QPixmap picture = DrawBuiltInSmallImage(index);
            if (!picture.isNull())
                list.Set(index, picture);
        }
        return list;
    }();
    return images;
}

QPixmap LoadIconResource(int id)
{
    QStyle::StandardPixmap which;
    if (id == kIconInformation)
        which = QStyle::SP_MessageBoxInformation;
    else if (id == kIconWarning)
        which = QStyle::SP_MessageBoxWarning;
    else
        return {};
    return QApplication::style()->standardIcon(which).pixmap(32, 32);
}
