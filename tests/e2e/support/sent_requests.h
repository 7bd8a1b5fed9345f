#pragma once
// The requests the workstation sent, as its PDU log window shows them: for each request of a code, in the order sent,
// "op=1 ne=0 code=900" (operation, the NE id it went to, the code). The NE id a request goes to is checked at the wire
// this way.
//
//     EXPECT_EQ(e2e::SentRequests(program, 520).value(0), QStringLiteral("op=1 ne=1 code=520"));

#include "tests/e2e/support/e2e_harness.h"

#include "ui/framework/link_ui/pdu_log_dlg.h"
#include "ui/shell/app/ems_app.h"

#include <QRegularExpression>
#include <QStringList>

namespace e2e {

inline QStringList SentRequests(CProgram& program, int code)
{
    static const QRegularExpression header(QStringLiteral(" SEND (op=\\d+ ne=\\d+ code=(\\d+)) "));
    QStringList sent;
    const CPduLogDlg* log = program.App().GetPduLogWindow();
    if (log == nullptr)
        return sent;
    for (const QString& line : log->Lines()) {
        const QRegularExpressionMatch match = header.match(line);
        if (match.hasMatch() && match.captured(2).toInt() == code)
            sent << match.captured(1);
    }
    return sent;
}

} // namespace e2e
