#include "ui/framework/dialogs/page_navigator.h"

#include "link/record_requests.h"
#include "platform/notify_codes.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <QLineEdit>

#include <charconv>

CPageNavigator::CPageNavigator(CADialog& dialog, CPageWindow window, PageControls controls)
    : dialog_(dialog), window_(window), controls_(controls)
{
}

std::optional<uint32_t> CPageNavigator::EditNumber(int id) const
{
    const auto* edit = dialog_.GetDlgItemAs<QLineEdit>(id);
    if (edit == nullptr)
        return std::nullopt;
    const std::string text = edit->text().toStdString();
    uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

void CPageNavigator::SetEditNumber(int id, int64_t value)
{
    if (auto* edit = dialog_.GetDlgItemAs<QLineEdit>(id)) {
        const QString text = QString::number(value);
        if (edit->text() != text)
            edit->setText(text);
    }
}

bool CPageNavigator::ReadEdits()
{
    const std::optional<uint32_t> first = EditNumber(controls_.firstEdit);
    const std::optional<uint32_t> last = EditNumber(controls_.lastEdit);
    if (!first || !last)
        return false;
    window_.Set(*first, *last);
    return true;
}

PageRows CPageNavigator::TakeWindow()
{
    ReadEdits();
    window_.Normalize();
    Show();
    return window_.QueryRows();
}

void CPageNavigator::TakeTotal(const RequestOutcome& reply)
{
    if (reply.Ok()) {
        window_.SetTotal(reply.total);
        window_.Normalize();
    }
    Show();
}

void CPageNavigator::Show()
{
    showing_ = true;
    SetEditNumber(controls_.firstEdit, window_.First());
    SetEditNumber(controls_.lastEdit, window_.Last());
    if (controls_.totalEdit != 0)
        SetEditNumber(controls_.totalEdit, window_.Total());
    showing_ = false;
    EnableMoves(true);
}

void CPageNavigator::EnableMoves(bool numbers)
{
    dialog_.EnableControl(controls_.refresh, numbers);
    dialog_.EnableControl(controls_.toFirst, numbers && window_.CanMoveBack());
    dialog_.EnableControl(controls_.back, numbers && window_.CanMoveBack());
    dialog_.EnableControl(controls_.forward, numbers && window_.CanMoveForward());
    dialog_.EnableControl(controls_.toLast, numbers && window_.CanMoveForward());
    dialog_.EnableControl(controls_.spin, numbers && window_.CanSpin());
}

void CPageNavigator::OnEditChanged()
{
    if (showing_)
        return;
    // A number typed is taken at once (without a query); anything else blocks every move until it is corrected.
    if (!ReadEdits()) {
        EnableMoves(false);
        return;
    }
    window_.Normalize();
    EnableMoves(true);
}

void CPageNavigator::Move(void (CPageWindow::*move)())
{
    ReadEdits();
    (window_.*move)();
    Show();
    if (query_)
        query_();
}

bool CPageNavigator::OnCommand(int id, int code)
{
    if (code == EN_CHANGE && (id == controls_.firstEdit || id == controls_.lastEdit)) {
        OnEditChanged();
        return true;
    }
    if (code != BN_CLICKED)
        return false;
    if (id == controls_.toFirst)
        Move(&CPageWindow::MoveToFirst);
    else if (id == controls_.back)
        Move(&CPageWindow::MoveBack);
    else if (id == controls_.forward)
        Move(&CPageWindow::MoveForward);
    else if (id == controls_.toLast)
        Move(&CPageWindow::MoveToLast);
    else
        return false;
    return true;
}

bool CPageNavigator::OnNotify(const NotifyHeader& header)
{
    if (header.idFrom != controls_.spin || header.code != UDN_DELTAPOS)
        return false;
    // The spin moves the window only; Refresh asks for it.
    ReadEdits();
    window_.Spin(header.delta);
    Show();
    return true;
}
