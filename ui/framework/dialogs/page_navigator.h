#pragma once
// CPageNavigator, the page controls of a paged list dialog: the edits of the window's first and last row (1304, 1306)
// and of the result's total (1303, shown only), the spin (1305), the page buttons "<<" (1169, first page), "|<" (1277,
// previous), ">|" (1264, next) and ">>" (1211, last page), and Refresh (1307). It keeps the window (CPageWindow,
// page_window.h), shows it in the edits and offers the moves the window allows; a page button moves the window and
// runs the dialog's query, the spin only moves it, and while an edit holds no whole number nothing is offered.
//
// The dialog owns one, forwards its commands and notifications, and runs the query through it:
//
//     CUserOpLogListDlg::CUserOpLogListDlg(QWidget* parent)
//         : CRecordListDlg(276, {...}, parent), ..., pages_(*this), rows_(*this, Columns())
//     {
//         ui_->setupUi(this);
//         pages_.SetQuery([this] { RefillList(); });              // what a page button runs
//         rows_.QueryOnFill([this] {                                 // each fill asks for the window
//             const PageRows rows = pages_.TakeWindow();             // the edits as typed, normalised
//             return CRecordRequests().Query(kReqOpLog, neId_, Criteria(rows), {...});
//         });
//         rows_.SetOnReply([this](const RequestOutcome& reply) { pages_.TakeTotal(reply); });
//         rows_.SetMaxRows(kMaxPageRows);
//         SetRecordList(rows_);
//     }
//     int OnCommandHook(int id, int code) override { return pages_.OnCommand(id, code) ? 1 : 0; }
//     int OnNotifyHook(const NotifyHeader& header, int*) override { return pages_.OnNotify(header) ? 1 : 0; }
//
// Refresh stays the dialog's (a list dialog refills through its typed list); the navigator only enables it. A range
// list that walks a fixed span gives its rules and window at construction and sets the span as the total.

#include "ui/framework/lists/page_window.h"

#include <cstdint>
#include <functional>
#include <optional>

class CADialog;
struct NotifyHeader;
struct RequestOutcome;

// The most rows a window of the server's paged lists takes.
inline constexpr uint32_t kMaxPageRows = 5000;

struct PageControls {
    int firstEdit = 1304;
    int lastEdit = 1306;
    int totalEdit = 1303; // 0 for none
    int spin = 1305;
    int refresh = 1307;
    int toFirst = 1169;
    int back = 1277;
    int forward = 1264;
    int toLast = 1211;
};

class CPageNavigator {
public:
    explicit CPageNavigator(CADialog& dialog, CPageWindow window = CPageWindow(), PageControls controls = {});

    CPageWindow& Window() { return window_; }
    const CPageWindow& Window() const { return window_; }
    const PageControls& Controls() const { return controls_; }

    // What a page button runs once it has moved the window: the dialog's query.
    void SetQuery(std::function<void()> query) { query_ = std::move(query); }

    // The window as the edits hold it (when they hold numbers), normalised and shown: the rows to ask for.
    PageRows TakeWindow();
    // A reply's total: on success the window is normalised to it; either way the window is shown.
    void TakeTotal(const RequestOutcome& reply);
    // Shows the window in the edits and offers the moves it allows.
    void Show();

    // The dialog's commands and notifications: true when one was a page control's.
    bool OnCommand(int id, int code);
    bool OnNotify(const NotifyHeader& header);

private:
    // The number an edit holds: a whole decimal number of up to 32 bits, nothing else.
    std::optional<uint32_t> EditNumber(int id) const;
    void SetEditNumber(int id, int64_t value);
    // Takes the edits into the window when both hold numbers; false otherwise.
    bool ReadEdits();
    // Enables the page buttons and the spin by the window; all off (and Refresh) while an edit holds no number.
    void EnableMoves(bool numbers);
    void OnEditChanged();
    void Move(void (CPageWindow::*move)());

    CADialog& dialog_;
    CPageWindow window_;
    PageControls controls_;
    std::function<void()> query_;
    bool showing_ = false; // the edits change because the window is shown, not typed
};
