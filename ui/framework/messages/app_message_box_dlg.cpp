#include "ui/framework/messages/app_message_box_dlg.h"

#include "core/config/app_settings.h"
#include "platform/message_box_runner.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_app_message_box_dlg.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace {

struct ButtonSpec {
    uint32_t captionId;
    int result;
};

// The buttons of a type, in order; a result of -1 leaves the button unused.
std::array<ButtonSpec, 3> ButtonsOf(unsigned type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {{{kStrOk, IDOK}, {kStrCancel, IDCANCEL}, {0, -1}}};
    case MB_ABORTRETRYIGNORE:
        return {{{kStrAbort, IDABORT}, {kStrRetry, IDRETRY}, {kStrIgnore, IDIGNORE}}};
    case MB_YESNOCANCEL:
        return {{{kStrYes, IDYES}, {kStrNo, IDNO}, {kStrCancel, IDCANCEL}}};
    case MB_YESNO:
        return {{{kStrYes, IDYES}, {kStrNo, IDNO}, {0, -1}}};
    case MB_RETRYCANCEL:
        return {{{kStrRetry, IDRETRY}, {kStrCancel, IDCANCEL}, {0, -1}}};
    default:
        return {{{kStrOk, IDOK}, {0, -1}, {0, -1}}};
    }
}

} // namespace

CAppMessageBoxDlg::CAppMessageBoxDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CAppMessageBoxDlg>())
{
    ui_->setupUi(this);
    boxTitle_ = QString::fromStdString(GetAppTitle(AppSettings())).left(kMaxTitle);
    SetMessageLine(false);
    // A box never takes the current-dialog role: a status text shown while it is open belongs to the dialog below.
    SetOwnsMessageLine(false);
}

CAppMessageBoxDlg::~CAppMessageBoxDlg() = default;

void CAppMessageBoxDlg::SetText(const QString& text)
{
    boxText_ = text.left(kMaxText);
}

void CAppMessageBoxDlg::SetType(int type)
{
    useFirstEdit_ = type >= 0;
    boxType_ = static_cast<unsigned>(type) & 0x7FFFFFFFu;
}

QString CAppMessageBoxDlg::ToBoxText(const QString& text)
{
    QString shown;
    shown.reserve(text.size() + 8);
    for (QChar c : text) {
        if (c == QLatin1Char('\r'))
            continue;
        if (c == QLatin1Char('\n'))
            shown += QLatin1Char('\r');
        shown += c;
    }
    return shown;
}

bool CAppMessageBoxDlg::OnInitDialog()
{
    CADialog::OnInitDialog();
    // The box opens over the current dialog as any top-level dialog does: that dialog's line and red frames go.
    if (CADialog* below = GetPreviousCurrentDialog(); below != nullptr && below != this)
        below->ClearMessageLine();
    setWindowTitle(boxTitle_);
    auto* shownEdit = GetDlgItemAs<QPlainTextEdit>(useFirstEdit_ ? kFirstEditId : kSecondEditId);
    auto* otherEdit = GetDlgItemAs<QPlainTextEdit>(useFirstEdit_ ? kSecondEditId : kFirstEditId);
    if (otherEdit)
        otherEdit->hide();
    if (QWidget* icon = GetDlgItem(kIconControlId))
        icon->resize(31, 31);
    if (shownEdit) {
        shownEdit->show();
        // The field shows CR LF as one line break.
        shownEdit->setPlainText(ToBoxText(boxText_).remove(QLatin1Char('\r')));
        FitText(*shownEdit);
    }

    const std::array<ButtonSpec, 3> specs = ButtonsOf(boxType_);
    std::array<QPushButton*, 3> buttons{GetDlgItemAs<QPushButton>(kButton1Id), GetDlgItemAs<QPushButton>(kButton2Id),
                                        GetDlgItemAs<QPushButton>(kButton3Id)};
    std::array<QRect, 3> places{};
    for (size_t i = 0; i < 3; ++i)
        places[i] = buttons[i] ? buttons[i]->geometry() : QRect();
    int used = 0;
    for (size_t i = 0; i < 3; ++i) {
        buttonResult_[i] = specs[i].result;
        if (buttons[i] == nullptr)
            continue;
        if (specs[i].result < 0) {
            buttons[i]->hide();
            continue;
        }
        ++used;
        buttons[i]->setText(LoadQString(specs[i].captionId));
        buttons[i]->show();
    }
    // The used buttons move right, so that they stay right-aligned.
    for (int i = used - 1; i >= 0; --i) {
        if (buttons[static_cast<size_t>(i)])
            buttons[static_cast<size_t>(i)]->setGeometry(places[static_cast<size_t>(i + 3 - used)]);
    }
    size_t focus = 0;
    if ((boxType_ & MB_DEFMASK) == MB_DEFBUTTON2 && buttonResult_[1] >= 0)
        focus = 1;
    else if ((boxType_ & MB_DEFMASK) == MB_DEFBUTTON3 && buttonResult_[2] >= 0)
        focus = 2;
    for (size_t i = 0; i < 3; ++i) {
        if (buttons[i]) {
            buttons[i]->setDefault(i == focus);
            buttons[i]->setAutoDefault(i == focus);
        }
    }
    if (buttons[focus])
        buttons[focus]->setFocus();
    return true;
}

void CAppMessageBoxDlg::FitText(QPlainTextEdit& edit)
{
    // The text is measured as the field lays it out: its font and margins, its lines wrapped only where the widest
    // field the box may have cannot hold them. The room of a scroll bar is kept too: a field shown before its size
    // settles may lay the text out beside one.
    QTextDocument text;
    text.setDefaultFont(edit.font());
    text.setDocumentMargin(edit.document()->documentMargin());
    text.setPlainText(edit.toPlainText());
    const int frame = 2 * edit.frameWidth() + 2;
    const int scrollBar = edit.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &edit);
    const int width = std::clamp(static_cast<int>(std::ceil(text.idealWidth())) + frame + scrollBar, edit.width(),
                                 2 * edit.width());
    text.setTextWidth(width - frame - scrollBar);
    double textHeight = 2 * text.documentMargin();
    for (QTextBlock block = text.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* lines = block.layout();
        for (int i = 0; i < lines->lineCount(); ++i)
            textHeight += lines->lineAt(i).height();
    }
    const QScreen* screen = this->screen();
    const int tallest = screen != nullptr ? screen->availableGeometry().height() * 2 / 3 : edit.height();
    const int height = std::clamp(static_cast<int>(std::ceil(textHeight)) + frame, edit.height(),
                                  std::max(edit.height(), tallest));
    const int dx = width - edit.width();
    const int dy = height - edit.height();
    if (dx == 0 && dy == 0)
        return;
    edit.resize(width, height);
    for (int id : {kButton1Id, kButton2Id, kButton3Id}) {
        if (QWidget* button = GetDlgItem(id))
            button->move(button->pos() + QPoint(dx, dy));
    }
    resize(this->width() + dx, this->height() + dy);
}

bool CAppMessageBoxDlg::OnCommand(int id, int code)
{
    if (code == BN_CLICKED && id >= kButton1Id && id <= kButton3Id) {
        const int result = buttonResult_[static_cast<size_t>(id - kButton1Id)];
        if (result >= 0)
            EndDialog(result);
        return true;
    }
    if (code == BN_CLICKED && id == IDCANCEL) {
        // Escape or the close box: the box has no cancel handling of its own, so it ends as any dialog does.
        EndDialog(IDCANCEL);
        return true;
    }
    if (code == BN_CLICKED && id == IDOK)
        return true; // Enter presses the default button, which sends its own command
    return CADialog::OnCommand(id, code);
}

void CAppMessageBoxDlg::DrawExtras(Dc& dc)
{
    const int used = (buttonResult_[0] >= 0) + (buttonResult_[1] >= 0) + (buttonResult_[2] >= 0);
    DrawIconOnControl(dc, *this, kIconControlId, used < 2 ? kIconInformation : kIconWarning);
}
