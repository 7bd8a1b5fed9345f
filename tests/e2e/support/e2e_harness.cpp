#include "tests/e2e/support/e2e_harness.h"
#include "tarvik_test_paths.h"

#include "app/program_parts.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_record.h"
#include "core/tables/ne_table.h"
#include "link/driver_mode.h"
#include "link/driver_result.h"
#include "link/ems_msg.h"
#include "link/net_drv.h"
#include "link/records/record_bytes.h"
#include "link/records/request_catalogue.h"
#include "link/records/request_codes.h"
#include "link/records/user_rights_record.h"
#include "link/snmp/net_drv_snmp_agent.h"
#include "platform/popup_menu_runner.h"
#include "ui/framework/dialogs/record_list_dlg.h"
#include "ui/framework/link_ui/wait_dlg.h"
#include "ui/framework/lists/small_images.h"
#include "ui/shell/app/ems_app.h"
#include "ui/shell/frame/app_frame_host.h"
#include "ui/shell/frame/frame_dialog_bar.h"
#include "ui/shell/frame/main_frame.h"
#include "ui/shell/tree/group_view.h"

#include <QAbstractItemView>
#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QHeaderView>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTabBar>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace e2e {

namespace {

// A dialog is on screen as the operator reads it once it and every page it shows have run their first show (a tab
// dialog's pages run theirs a moment after the dialog's own) and its list has its rows.
bool IsReadyToRead(QDialog& dialog)
{
    if (!static_cast<CADialog&>(dialog).IsFirstShowDone())
        return false;
    if (const auto* list = dynamic_cast<const CRecordListDlg*>(&dialog); list != nullptr && list->IsFillPending())
        return false;
    const QList<CADialog*> pages = dialog.findChildren<CADialog*>();
    return std::all_of(pages.begin(), pages.end(),
                       [](const CADialog* page) { return !page->isVisible() || page->IsFirstShowDone(); });
}

const std::string kWorld = std::string(TARVIK_TEST_DATA_DIR) + "/server/sim_world.ini";
const std::string kNe48 = std::string(TARVIK_TEST_DATA_DIR) + "/snmp/ne_agent_ipd48.ini";

// The list icons of the icon set that ships with the program, as the run command adds them to Tarvik.ini: the
// section of icons.ini without its comments.
std::string ListIconSection()
{
    std::istringstream lines(app_test::ReadText(app_test::kResources / "icons" / "icons.ini"));
    std::string section;
    bool inside = false;
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with('['))
            inside = line.starts_with("[LISTICON]");
        if (inside && !line.starts_with(';'))
            section += line + '\n';
    }
    return section;
}

// The enabled action carrying `commandId` among `actions` and their sub-menus, or null.
QAction* FindAction(const QList<QAction*>& actions, int commandId)
{
    for (QAction* action : actions) {
        if (QMenu* sub = action->menu()) {
            if (QAction* found = FindAction(sub->actions(), commandId))
                return found;
        } else if (CommandIdOf(action) == commandId) {
            return action;
        }
    }
    return nullptr;
}

} // namespace

std::string ToolbarOf(int commandId)
{
    return "[TOOLICON]\nICONCNT=1\nICONWIDTH=24\nICONHEIGHT=24\nICON1=.\\Icon\\toolbar\\options.png,0xFF00FF," +
           std::to_string(commandId) + "\n";
}

COperator::COperator() : previous_(SetModalRunner(this)) {}

COperator::~COperator()
{
    SetModalRunner(previous_);
}

void COperator::PushLogin(const app_test::LoginInput& input)
{
    PushLogin([input](CLoginDlg& dialog) {
        app_test::TypeLogin(dialog, input);
        Click(dialog, CLoginDlg::kLoginButtonId);
    });
}

int COperator::RunModal(QDialog& dialog)
{
    if (auto* wait = dynamic_cast<CWaitDlg*>(&dialog))
        return wait->exec();
    dialog.show();
    QCoreApplication::processEvents();
    int result = IDCANCEL;
    if (auto* login = dynamic_cast<CLoginDlg*>(&dialog)) {
        ++loginRuns;
        app_test::PumpUntil([login] { return login->IsFirstShowDone(); });
        if (!logins_.empty()) {
            LoginScript script = std::move(logins_.front());
            logins_.pop_front();
            script(*login);
        }
    } else if (auto* box = dynamic_cast<CAppMessageBoxDlg*>(&dialog)) {
        boxTexts.push_back(app_test::BoxText(*box));
        // Every Yes/No question the program asks has No preselected: Enter never confirms a change.
        const std::array<int, 3> buttons = box->GetButtonResults();
        if (buttons[0] == IDYES && buttons[1] == IDNO && buttons[2] < 0) {
            EXPECT_EQ(app_test::DefaultResult(*box), IDNO) << LastBoxText().toStdString();
        }
        if (onBox) {
            app_test::PumpUntil([box] { return box->IsFirstShowDone(); });
            onBox(*box);
        }
        result = box->GetButtonResults()[0];
        if (!boxAnswers_.empty()) {
            result = boxAnswers_.front();
            boxAnswers_.pop_front();
        }
    } else {
        dialogsRun.push_back(dialog.windowTitle());
        bool scripted = false;
        for (auto it = dialogScripts_.begin(); it != dialogScripts_.end(); ++it) {
            // The script is taken off the queue before it runs: it may open dialogs of its own.
            DialogScript script = *it;
            if (dynamic_cast<CADialog*>(&dialog) != nullptr)
                app_test::PumpUntil([&dialog] { return IsReadyToRead(dialog); });
            const auto position = it - dialogScripts_.begin();
            dialogScripts_.erase(it);
            if (std::optional<int> answer = script.run(dialog)) {
                result = *answer;
                scripted = true;
                break;
            }
            dialogScripts_.insert(dialogScripts_.begin() + position, std::move(script));
            it = dialogScripts_.begin() + position;
        }
        if (!scripted)
            unscriptedDialogs.push_back(dialog.windowTitle());
    }
    if (dialog.isVisible())
        dialog.done(result);
    return dialog.result();
}

CProgram::CProgram()
{
    static const bool registered = [] {
        RegisterProgramParts();
        return true;
    }();
    (void)registered;
    app_test::LoadProgramStrings();
    app_test::ResetProgramState();
    dir_.CopyDefinitionFiles();
    // The splash picture, where the run command puts it.
    std::filesystem::create_directories(dir_.Path() / "Logo");
    std::filesystem::copy_file(app_test::kResources / "Logo" / "Logo.dat", dir_.Path() / "Logo" / "Logo.dat");
    // The pictures of the list icons, which the configuration names relative to the working directory.
    std::filesystem::copy(app_test::kResources / "icons", dir_.Path() / "Icon",
                          std::filesystem::copy_options::recursive);
}

CProgram::~CProgram()
{
    if (app_) {
        app_->ExitInstance();
        app_.reset();
    }
    probe_.reset();
    server_.Stop();
    agent_.Stop();
    app_test::ResetProgramState();
}

bool CProgram::WriteIni(const std::string& keys)
{
    dir_.WriteIni(keys + ListIconSection() + iniExtra_);
    return true;
}

bool CProgram::StartServer(const PeerOptions& options)
{
    std::vector<std::string> args{"--models", (app_test::kResources / "EntConf").string(), "--test-control"};
    if (options.generatedNes != 0)
        args.insert(args.end(), {"--generate-nes", std::to_string(options.generatedNes)});
    else
        args.insert(args.end(), {"--scenario", kWorld});
    args.insert(args.end(), options.args.begin(), options.args.end());
    if (!server_.Start(args))
        return false;
    peerPort_ = server_.Port();
    direct_ = false;
    iniExtra_ = options.iniExtra;
    return WriteIni("[SYSTEM]\nSERVERIP=127.0.0.1\nDIRECTCONTROL=0\n[LINK]\nSERVERPORT=" + std::to_string(peerPort_) +
                    "\nSERVERTRAPPORT=" + std::to_string(app_test::FreeUdpPort()) + "\n");
}

bool CProgram::StartAgent(const PeerOptions& options, const std::string& scenario)
{
    // The NE sends its traps to the program's trap port, as the run command sets them up.
    const uint16_t trapPort = app_test::FreeUdpPort();
    std::vector<std::string> args{"--scenario", scenario.empty() ? kNe48 : scenario, "--trap-to",
                                  "127.0.0.1:" + std::to_string(trapPort)};
    args.insert(args.end(), options.args.begin(), options.args.end());
    if (!agent_.Start(args))
        return false;
    peerPort_ = agent_.Port();
    direct_ = true;
    iniExtra_ = options.iniExtra;
    return WriteIni("[SYSTEM]\nSERVERIP=127.0.0.1\nDIRECTCONTROL=1\n[LINK]\nSNMPPORT=" + std::to_string(peerPort_) +
                    "\nSNMPTRAPPORT=" + std::to_string(trapPort) + "\nSNMPWAIT=1000\nSNMPRETRY=1\n");
}

bool CProgram::StartAgentWith(const std::string& sections)
{
    const std::filesystem::path scenario = dir_.Path() / "ne_scenario.ini";
    app_test::WriteText(scenario, app_test::ReadText(kNe48) + "\n" + sections);
    return StartAgent({}, scenario.string());
}

bool CProgram::Login(const std::string& user, const std::string& password)
{
    operator_.PushLogin(app_test::LoginInput{.user = user, .password = password, .direct = direct_});
    if (!Start())
        return false;
    if (!direct_)
        ReadWhatTheServerSentAfterTheLogin();
    else
        WaitForTheNesFirstPoll();
    return true;
}

bool CProgram::LoginAsAdminAt(const QString& ne)
{
    if (!StartServer() || !Login("admin", "admin"))
        return false;
    QTreeWidgetItem* item = TreeItem(ne);
    if (item == nullptr)
        return false;
    ClickTreeItem(item);
    return true;
}

bool CProgram::LoginToTheNe(const std::string& sections)
{
    if (!(sections.empty() ? StartAgent() : StartAgentWith(sections)) || !Login("qurim", "private"))
        return false;
    QTreeWidgetItem* item = TreeItem(QStringLiteral("127.0.0.1"));
    if (item == nullptr)
        return false;
    ClickTreeItem(item);
    return true;
}

namespace {

// Whether the NE has told the type of an entity below its root: a card or a port the poll found.
bool AnyTypeTold(const CEntityNode& node)
{
    for (int i = 0; i < node.GetChildCount(); ++i) {
        const CEntityNode* child = node.GetChild(i);
        if (child == nullptr)
            continue;
        if (child->GetType() != kEntityTypeUnknown && child->GetType() != kEntityTypeAbsent)
            return true;
        if (AnyTypeTold(*child))
            return true;
    }
    return false;
}

} // namespace

void CProgram::WaitForTheNesFirstPoll()
{
    // The direct link polls the NE's entities at once after the login, on its own thread; an operator finds the cards
    // a moment later. An NE that tells no card (or does not answer) is a test's own business: no failure here.
    WaitUntil(
        [] {
            const CNeRecord* ne = FindNeById(kDirectNeId);
            return ne != nullptr && ne->root != nullptr && AnyTypeTold(*ne->root);
        },
        3000);
}

void CProgram::ReadWhatTheServerSentAfterTheLogin()
{
    // The server answers a request after every notification it sent before, and a request of the UI thread applies
    // what it reads on its way: a keep-alive returns with every entity's state in the model.
    const uint8_t body = 0;
    EmsMsg request;
    BuildEmsMsg(&request, kEmsOpQuery, kReqKeepAlive, 1, &body, 0);
    EmsMsg* reply = nullptr;
    EXPECT_EQ(GetCurrentDriver().RequestEmsMsg(&request, &reply, 0, CNetDrv::kDefaultTimeout, false), kDrvOk);
    Settle();
}

bool CProgram::Start()
{
    app_ = std::make_unique<CEmsApp>();
    app_->SetMainFrameFactory(CreateAppMainFrame);
    if (!app_->InitInstance())
        return false;
    Settle();
    return app_->GetMainFrame() != nullptr && app_->GetMainFrame()->FrameWindow()->isVisible();
}

CMainFrame& CProgram::Frame()
{
    return *dynamic_cast<CMainFrame*>(app_->GetMainFrame());
}

CGroupView& CProgram::Tree()
{
    return *dynamic_cast<CGroupView*>(Frame().GetTreeView());
}

bool CProgram::Command(int commandId)
{
    QAction* action = FindAction(Frame().menuBar()->actions(), commandId);
    if (action == nullptr || !action->isEnabled() || !action->isVisible()) {
        // Said, so that a test's bare "false" has its reason: a stale menu file shows here.
        qInfo("command %d: %s in the main menu shown", commandId,
              action == nullptr ? "no entry (declared? menus regenerated?)"
                                : (!action->isVisible() ? "hidden" : "disabled"));
        return false;
    }
    action->trigger();
    return true;
}

bool CProgram::ToolbarButton(int commandId)
{
    for (QToolBar* bar : Frame().findChildren<QToolBar*>()) {
        for (QAction* action : bar->actions()) {
            if (CommandIdOf(action) == commandId && action->isVisible() && action->isEnabled()) {
                action->trigger();
                return true;
            }
        }
    }
    return false;
}

QTreeWidgetItem* CProgram::TreeItem(const QString& text)
{
    const QList<QTreeWidgetItem*> found = Tree().Tree()->findItems(text, Qt::MatchExactly | Qt::MatchRecursive, 0);
    return found.isEmpty() ? nullptr : found.front();
}

void CProgram::ClickTreeItem(QTreeWidgetItem* item)
{
    QTreeWidget* tree = Tree().Tree();
    tree->scrollToItem(item);
    const QPoint at = tree->visualItemRect(item).center();
    // The pointer stands where the operator clicks: the tree looks there.
    QCursor::setPos(tree->viewport()->mapToGlobal(at));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
    Settle();
}

std::vector<int> CProgram::RightClickTreeItem(QTreeWidgetItem* item, int choose)
{
    QTreeWidget* tree = Tree().Tree();
    if (item == nullptr) {
        // Blank: the bottom left corner of the view, below the items.
        const QPoint blank(1, tree->viewport()->height() - 2);
        return tree->itemAt(blank) == nullptr ? RightClickAt(*tree->viewport(), blank, choose, false)
                                              : std::vector<int>{};
    }
    tree->scrollToItem(item);
    return RightClickAt(*tree->viewport(), tree->visualItemRect(item).center(), choose, false);
}

std::vector<int> CProgram::RightClickAt(QWidget& viewport, const QPoint& at, int choose, bool contextEvent)
{
    if (choose != 0)
        operator_.Popups().PushChoice(choose);
    const size_t before = operator_.Popups().Offered().size();
    QCursor::setPos(viewport.mapToGlobal(at));
    QTest::mousePress(&viewport, Qt::RightButton, {}, at);
    QTest::mouseRelease(&viewport, Qt::RightButton, {}, at);
    if (contextEvent) {
        // What the window system makes of the click besides the mouse events; QTest does not send it.
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, viewport.mapToGlobal(at));
        QCoreApplication::sendEvent(&viewport, &event);
    }
    Settle();
    const auto& offered = operator_.Popups().Offered();
    return offered.size() > before ? offered.back() : std::vector<int>{};
}

void CProgram::PressKeys(const QKeySequence& keys)
{
    // Shortcuts of the main window answer only while it is the active window.
    QWidget& window = Frame();
    window.activateWindow();
    WaitUntil([&] { return window.isActiveWindow(); }, 2000);
    QTest::keySequence(window.windowHandle(), keys);
}

bool CProgram::ClickViewTab(const QString& text)
{
    QTabBar* tabs = Frame().DialogBar()->Tabs();
    for (int i = 0; i < tabs->count(); ++i) {
        if (tabs->tabText(i) == text) {
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(i).center());
            Settle();
            return true;
        }
    }
    return false;
}

void CProgram::ClickHeader(QHeaderView& header, int column)
{
    // The list lays out its columns when it next handles its events: only then can it scroll to the column.
    QCoreApplication::processEvents();
    if (auto* list = qobject_cast<QAbstractItemView*>(header.parentWidget());
        list != nullptr && list->model() != nullptr && list->model()->rowCount() > 0) {
        const QModelIndex top = list->indexAt({0, 0}); // the row in view stays in view
        list->scrollTo(list->model()->index(top.isValid() ? top.row() : 0, column));
        QCoreApplication::processEvents();
    }
    // The middle of the part of the section in view: a column wider than the view is clicked where it shows.
    const int left = std::max(header.sectionViewportPosition(column), 0);
    const int right =
        std::min(header.sectionViewportPosition(column) + header.sectionSize(column), header.viewport()->width());
    if (right <= left) {
        ADD_FAILURE() << "column " << column << " is not in view: at " << header.sectionViewportPosition(column)
                      << " size " << header.sectionSize(column) << " hidden " << header.isSectionHidden(column)
                      << " viewport " << header.viewport()->width() << " offset " << header.offset() << " length "
                      << header.length() << " visible " << header.isVisible();
        return;
    }
    const QPoint at((left + right) / 2, header.height() / 2);
    QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, at);
}

bool CProgram::HeaderShowsImage(const QTreeView& list, int column, int image)
{
    const QIcon shown = list.model()->headerData(column, Qt::Horizontal, Qt::DecorationRole).value<QIcon>();
    if (image < 0 || shown.isNull())
        return image < 0 && shown.isNull();
    const QPixmap wanted = SharedSmallImages().Get(image);
    return shown.pixmap(wanted.size()).toImage() == wanted.toImage();
}

void CProgram::ClickListRow(QTreeView& list, int row, int column)
{
    const QModelIndex index = list.model()->index(row, column);
    list.scrollTo(index);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualRect(index).center());
    Settle();
}

std::vector<int> CProgram::RightClickAt(QWidget& window, const QPoint& at, int choose)
{
    return RightClickAt(window, at, choose, true);
}

void CProgram::MoveMouse(QWidget& window, const QPoint& to)
{
    QMouseEvent move(QEvent::MouseMove, to, window.mapToGlobal(to), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &move);
    Settle();
}

void CProgram::Drag(QWidget& window, const QPoint& from, const QPoint& to)
{
    QTest::mousePress(&window, Qt::LeftButton, {}, from);
    // In steps, as a hand moves: a drag starts only beyond the platform's drag distance.
    constexpr int kSteps = 8;
    for (int i = 1; i <= kSteps; ++i) {
        const QPoint at = from + (to - from) * i / kSteps;
        QMouseEvent move(QEvent::MouseMove, at, window.mapToGlobal(at), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&window, &move);
    }
    QTest::mouseRelease(&window, Qt::LeftButton, {}, to);
    Settle();
}

std::vector<int> CProgram::RightClickListRow(QTreeView& list, int row, int choose)
{
    const QModelIndex index = list.model()->index(row, 0);
    list.scrollTo(index);
    return RightClickAt(*list.viewport(), list.visualRect(index).center(), choose, true);
}

QStringList CProgram::ShownColumn(const QTreeView& list, int column)
{
    QStringList texts;
    const int x = list.header()->sectionViewportPosition(column) + 1;
    QModelIndex last;
    for (int y = 0; y < list.viewport()->height(); ++y) {
        const QModelIndex index = list.indexAt(QPoint(x, y));
        if (index.isValid() && index.row() != last.row()) {
            texts.push_back(index.siblingAtColumn(column).data().toString());
            last = index;
        }
    }
    return texts;
}

QRect CProgram::ListRowRect(const QTreeView& list, int row)
{
    const QHeaderView* header = list.header();
    const QModelIndex base = list.model()->index(row, 0);
    const int first = header->logicalIndexAt(-header->offset());
    const int last = header->logicalIndexAt(header->length() - header->offset() - 1);
    return list.visualRect(base.siblingAtColumn(first)) | list.visualRect(base.siblingAtColumn(last));
}

bool CProgram::SaveScreenshot(QWidget& widget, const QString& name)
{
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots");
    return QDir().mkpath(folder) && widget.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

bool CProgram::WaitUntil(const std::function<bool()>& condition, int boundMs)
{
    return app_test::PumpUntil(condition, boundMs);
}

void CProgram::Settle()
{
    if (!app_ || app_->GetMainFrame() == nullptr)
        return;
    const uint32_t refreshes = Frame().GetRefreshCount();
    // The frame refreshes on its own timer; a posted refresh makes it come at once.
    Frame().PostRefreshNow();
    WaitUntil([&] { return Frame().GetRefreshCount() != refreshes; }, 2000);
}

server_test::CRawClient& CProgram::ServerProbe()
{
    if (!probe_) {
        probe_ = std::make_unique<server_test::CRawClient>();
        if (!probe_->Connect(peerPort_) || !probe_->Logon("admin", "admin"))
            ADD_FAILURE() << "the probe could not log on to the simulated server";
    }
    return *probe_;
}

bool CProgram::SetRoleRights(char administrator, char manager, char user)
{
    server_test::CRawClient& probe = ServerProbe();
    UserRightsRecord rights;
    rights.rights = {std::string(127, administrator), std::string(127, manager), std::string(127, user)};
    const auto record = EncodeRecord(rights);
    const auto reply = probe.ReplyTo(
        probe.Send(kEmsOpModify, kReqUserRights, 0, {record.begin(), record.end()}, kUserRightsRecordSize));
    return reply.has_value() && reply->header.status == 0;
}

std::vector<std::vector<uint8_t>> CProgram::QueryServer(uint16_t code, uint32_t neId,
                                                        const std::vector<uint8_t>& record, uint32_t recordSize)
{
    server_test::CRawClient& probe = ServerProbe();
    const uint32_t sequence = probe.Send(1, code, neId, record, recordSize);
    std::vector<std::vector<uint8_t>> records;
    for (;;) {
        std::optional<::Frame> reply = probe.ReplyTo(sequence);
        // A refusal (a status, or a text reply) and an empty answer hold no records.
        if (!reply || reply->header.status != 0 || reply->header.operation != kEmsOpReply ||
            reply->header.recordSize == 0)
            return records;
        for (size_t at = 0; at + reply->header.recordSize <= reply->payload.size(); at += reply->header.recordSize)
            records.emplace_back(reply->payload.begin() + static_cast<std::ptrdiff_t>(at),
                                 reply->payload.begin() + static_cast<std::ptrdiff_t>(at + reply->header.recordSize));
        // A long answer comes in several frames; the last one has no more to follow.
        if (reply->header.more == 0)
            return records;
    }
}

std::vector<std::vector<uint8_t>> CProgram::QueryServer(uint16_t code, uint32_t neId)
{
    const RequestEntry entry = FindRequest(code);
    const uint32_t size = entry.spec != nullptr ? entry.spec->QueryBodySize() : 1;
    return QueryServer(code, neId, std::vector<uint8_t>(size), size);
}

} // namespace e2e
