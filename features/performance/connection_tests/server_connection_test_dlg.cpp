#include "features/performance/connection_tests/server_connection_test_dlg.h"

#include "core/config/ini_readers.h"
#include "core/tables/ne_record.h"
#include "core/tables/ne_table.h"
#include "features/performance/connection_tests/test_location_combo.h"
#include "link/driver_result.h"
#include "link/record_requests.h"
#include "ui/framework/dialogs/location_ne_combos.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui/shell/app/config_file_path.h"

#include <QComboBox>
#include <QDateTime>
#include <QFont>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

#include <cstdio>

namespace {

constexpr int kResultPointSize = 9;

// The line head of a test made now on the address.
std::string LineHead(uint32_t formatId, const std::string& address)
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    char head[96];
    std::snprintf(head, sizeof head, LoadString(formatId).c_str(), static_cast<unsigned long>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<unsigned>(time.hour()), static_cast<unsigned>(time.minute()),
                  static_cast<unsigned>(time.second()), address.c_str());
    return head;
}

// How a test ended: what the far end said of it when it answered with a text (on its own, that is no failure of
// the request), else ok or failed.
std::string Outcome(const RequestOutcome& outcome)
{
    if (outcome.result == kDrvTextReply)
        return outcome.text;
    return LoadString(outcome.Ok() ? kStrConnectionTestOk : kStrConnectionTestFailed);
}

} // namespace

CServerConnectionTestDlg::CServerConnectionTestDlg(int templateId, RequestCode<NoRecord> code, uint32_t headFormatId,
                                                   QWidget* parent)
    : CADialog(templateId, parent), code_(code), headFormatId_(headFormatId)
{
}

void CServerConnectionTestDlg::InitData()
{
    if (auto* result = GetDlgItemAs<QPlainTextEdit>(kResultId)) {
        // Asked for by name: where it is not installed the font configuration gives its metric twin.
        result->setFont(QFont(QStringLiteral("Courier New"), kResultPointSize));
    }
    withSubLocations_ = ReadIniBool("DIALOG", "INCLSUBNE", true, CurrentConfigFilePath());
    auto* location = GetDlgItemAs<QComboBox>(kLocationComboId);
    FillTestLocationCombo(location, static_cast<uint32_t>(GetLocationId()));
    FillNeCombo(GetDlgItemAs<QComboBox>(kNeComboId), SelectedComboValue(location), static_cast<uint32_t>(GetNeId()),
                withSubLocations_);
    OnNeChanged();
}

int CServerConnectionTestDlg::OnCommandHook(int id, int code)
{
    if (id == kLocationComboId && code == CBN_SELCHANGE) {
        OnLocationChanged();
        return 1;
    }
    if (id == kNeComboId && code == CBN_SELCHANGE) {
        OnNeChanged();
        return 1;
    }
    if (id == kActionButtonId && code == BN_CLICKED) {
        RunTest();
        return 1;
    }
    if (id == kClearButtonId && code == BN_CLICKED) {
        if (auto* result = GetDlgItemAs<QPlainTextEdit>(kResultId))
            result->clear();
        return 1;
    }
    return 0;
}

void CServerConnectionTestDlg::OnLocationChanged()
{
    auto* ne = GetDlgItemAs<QComboBox>(kNeComboId);
    FillNeCombo(ne, SelectedComboValue(GetDlgItemAs<QComboBox>(kLocationComboId)), SelectedComboValue(ne),
                withSubLocations_);
    OnNeChanged();
}

void CServerConnectionTestDlg::OnNeChanged()
{
    const CNeRecord* ne = FindNeById(SelectedComboValue(GetDlgItemAs<QComboBox>(kNeComboId)));
    if (auto* address = GetDlgItemAs<QLineEdit>(kAddressId))
        address->setText(ne != nullptr ? QString::fromStdString(ne->GetIpText()) : QString());
    EnableControl(kActionButtonId, ne != nullptr);
}

void CServerConnectionTestDlg::RunTest()
{
    const uint32_t neId = SelectedComboValue(GetDlgItemAs<QComboBox>(kNeComboId));
    const CNeRecord* ne = FindNeById(neId);
    if (ne == nullptr || !IsControlEnabled(kActionButtonId))
        return;
    std::string line = LineHead(headFormatId_, ne->GetIpText());
    // The outcome goes on the line alone: no failure box.
    line += Outcome(CRecordRequests().Action(code_, neId, {.failureTextId = 0}));
    auto* result = GetDlgItemAs<QPlainTextEdit>(kResultId);
    if (result == nullptr)
        return;
    result->moveCursor(QTextCursor::End);
    result->insertPlainText(QString::fromStdString(line) + QLatin1Char('\n'));
    result->moveCursor(QTextCursor::End);
    result->ensureCursorVisible();
}
