// Alarm definitions in the running program: Configuration > Profile > Alarm Definition lists how the selected NE
// reports the alarms of each entity model, as the NE has them; the operator changes one through the definition
// dialog, which keeps what the server refused to take, and the list shows what was written, also when it opens again;
// Save All Models as Template makes the definitions of the NE model's modules and ports, as written, the server's
// templates. The templates have a list of their own (Configuration > Template > Alarm Definition Template), whose
// Download All Models to NEs sends the NEs of a model chosen in the template download that model's definitions.
// Direct mode offers neither. Each NE model has cards and ports of its own, which the list offers on its NEs.

#include "tests/e2e/support/e2e_harness.h"
#include "tests/e2e/support/export_steps.h"
#include "tests/e2e/support/sent_requests.h"

#include "features/fault/alarm_defs/alarm_def_dlg.h"
#include "features/fault/alarm_defs/alarm_def_list_dlg.h"
#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/entity/entity_type_ids.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_table.h"
#include "features/provisioning/templates/template_download_dlg.h"
#include "link/records/alarm_def_rec.h"
#include "link/records/request_codes.h"
#include "platform/list_control.h"
#include "sim/server/sim_control.h"
#include "ui/framework/lists/small_images.h"
#include "ui/shell/frame/main_frame.h"

#include <gtest/gtest.h>

#include <QComboBox>

#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int kCmdAlarmDefinition = 33031;
constexpr int kCmdAlarmDefinitionTemplate = 33143;
constexpr int kCmdAlarmSync = 33042;
constexpr uint32_t kControlModule = 20; // CU-2GE of the IPD-12
constexpr uint8_t kHighTemp = 2;
constexpr uint32_t kIpd12Adsl24 = 130;   // the IPD-12's ALC-24
constexpr uint32_t kIpd12AdslPort = 151; // and its ADSL port
constexpr uint8_t kCardOut = 0;
constexpr uint8_t kLos = 0;
using List = CAlarmDefListDlg;
using e2e::Check;
using e2e::Choose;
using e2e::Click;
using e2e::ComboTexts;
using e2e::Field;
using e2e::IsChecked;
using e2e::ListColumn;
using e2e::RowOf;
using e2e::TickRows;

std::optional<AlarmDefRec> Find(const std::vector<AlarmDefRec>& records, uint32_t modelId, uint8_t alarmIndex)
{
    for (const AlarmDefRec& rec : records) {
        if (rec.modelId == modelId && rec.alarmIndex == alarmIndex)
            return rec;
    }
    return std::nullopt;
}

QString Cell(List& list, const QString& alarm, int column)
{
    QTreeView& rows = *list.FindList(kListControlId);
    return CListControl(&rows).GetItemText(RowOf(rows, List::kNameColumn, alarm), column);
}

// The model ids of the Model combo's entries.
std::vector<uint32_t> ModelIds(List& list)
{
    std::vector<uint32_t> ids;
    if (const auto* combo = qobject_cast<QComboBox*>(list.GetDlgItem(List::kModelComboId))) {
        for (int i = 0; i < combo->count(); ++i)
            ids.push_back(combo->itemData(i).toUInt());
    }
    return ids;
}

// The models the NE's peer reported for its entities below the NE: each one's NE model is the NE's; counted by level.
void ExpectReportedModelsOfTheNe(const CEntityNode& node, uint32_t neModel, std::vector<int>& byLevel)
{
    for (int i = 0; i < node.GetChildCount(); ++i) {
        const CEntityNode* child = node.GetChild(i);
        if (child == nullptr)
            continue;
        if (const CEntityType* model = FindEntityModel(child->GetType())) {
            EXPECT_EQ(model->GetNeModelId(), neModel) << child->GetType();
            ++byLevel.at(model->GetLevel());
        }
        ExpectReportedModelsOfTheNe(*child, neModel, byLevel);
    }
}

// What an operator finds on opening the list on an NE (the NE's own level, so class Port): the NE model's ports,
// the first chosen and its alarms listed; under Module the NE model's cards. The entities the peer reported are of
// the NE model's own card and port models.
struct OpenedOnAnNe {
    const char* ne;
    uint32_t neModel;
    std::vector<uint32_t> ports, modules;
    QString moduleNames;
};
const QString kPortNames = QStringLiteral("GE Trunk,ADSL Port,SHDSL Port,Alarm Input,Alarm Output");
const OpenedOnAnNe kIpd12{"IPD-12", 2, {150, 151, 152, 153, 154}, {20, 130, 131, 132, 140, 141, 142},
                          QStringLiteral("CU-2GE,ALC-24,ALC-48,SLC-16,PWR-48V,FAN-4,REL-4I2O")};
const OpenedOnAnNe kIpd48{"IPD-48", 4, {50, 51, 52, 53, 54}, {21, 30, 31, 32, 40, 41, 42},
                          QStringLiteral("CU-2GE-R,ALC-24,ALC-48,SLC-16,PWR-48V,FAN-4,REL-4I2O")};

void ExpectOpenedOnTheNe(e2e::CProgram& program, const QString& neName, const OpenedOnAnNe& row,
                         const QString& screenshot)
{
    SCOPED_TRACE(row.ne);
    const CNeRecord* ne = FindNeByName(neName.toStdString());
    ASSERT_NE(ne, nullptr);
    ASSERT_EQ(ne->neModelId, row.neModel);
    std::vector<int> byLevel(kEntityLevelCount + 1, 0);
    ExpectReportedModelsOfTheNe(*ne->root, row.neModel, byLevel);
    EXPECT_GT(byLevel[kEntityLevelSlot], 0);
    EXPECT_GT(byLevel[kEntityLevelPort], 0);
    program.Operator().OnDialog<List>([&](List& list) {
        EXPECT_EQ(Field(list, List::kNeComboId), QString::fromLatin1(row.ne));
        EXPECT_EQ(Field(list, List::kClassComboId), QStringLiteral("Port"));
        EXPECT_EQ(ComboTexts(list, List::kModelComboId), kPortNames);
        EXPECT_EQ(ModelIds(list), row.ports);
        EXPECT_EQ(Field(list, List::kModelComboId), QStringLiteral("GE Trunk"));
        QTreeView& rows = *list.FindList(kListControlId);
        EXPECT_TRUE(ListColumn(rows, List::kNameColumn).contains(QStringLiteral("SFP Missing")));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(list, screenshot));
        Choose(list, List::kClassComboId, QStringLiteral("Module"));
        EXPECT_EQ(ComboTexts(list, List::kModelComboId), row.moduleNames);
        EXPECT_EQ(ModelIds(list), row.modules);
        Choose(list, List::kModelComboId, QStringLiteral("ALC-24"));
        EXPECT_TRUE(ListColumn(rows, List::kNameColumn).contains(QStringLiteral("Card Fail")));
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdAlarmDefinition));
    EXPECT_EQ(program.Operator().UnusedDialogScripts(), 0u);
}

TEST(AlarmDefE2eTest, TheNesDefinitionsAreChangedAndSavedAsTemplates)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer(e2e::WithPduLog()));
    ASSERT_TRUE(program.Login("admin", "admin"));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();
    const QString highTemp = QStringLiteral("High Temp");

    person.OnDialog<List>([&](List& list) {
        // The NE's own model, fixed; the modules of that model.
        EXPECT_EQ(Field(list, List::kNeComboId), QStringLiteral("IPD-12"));
        EXPECT_FALSE(list.IsControlEnabled(List::kNeComboId));
        EXPECT_FALSE(list.IsControlVisible(List::kDownloadAllButtonId));
        Choose(list, List::kClassComboId, QStringLiteral("Module"));
        EXPECT_EQ(ComboTexts(list, List::kModelComboId), kIpd12.moduleNames);
        QTreeView& rows = *list.FindList(kListControlId);
        EXPECT_EQ(ListColumn(rows, List::kNameColumn),
                  (QStringList{QStringLiteral("Card Fail"), QStringLiteral("Card Out"), QStringLiteral("Disabled"),
                               QStringLiteral("FW Mismatch"), highTemp}));
        EXPECT_EQ(Cell(list, highTemp, List::kSeverityColumn), QStringLiteral("Minor"));
        EXPECT_EQ(Cell(list, highTemp, List::kSuppressedByColumn), QStringLiteral("Card Out"));
        EXPECT_EQ(Cell(list, QStringLiteral("Disabled"), List::kReportingColumn), QStringLiteral("No"));
        // Severity sorts from the least grave up, and within one severity the higher alarm index first.
        e2e::CProgram::ClickHeader(*rows.header(), List::kSeverityColumn);
        EXPECT_EQ(e2e::CProgram::ShownColumn(rows, List::kNameColumn),
                  (QStringList{QStringLiteral("Disabled"), QStringLiteral("FW Mismatch"), highTemp,
                               QStringLiteral("Card Fail"), QStringLiteral("Card Out")}));
        // Reporting sorts by its text, equal texts by alarm index.
        e2e::CProgram::ClickHeader(*rows.header(), List::kReportingColumn);
        EXPECT_EQ(e2e::CProgram::ShownColumn(rows, List::kNameColumn),
                  (QStringList{QStringLiteral("Disabled"), QStringLiteral("Card Out"), QStringLiteral("Card Fail"),
                               highTemp, QStringLiteral("FW Mismatch")}));
        e2e::CProgram::ClickHeader(*rows.header(), List::kNameColumn);
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(list, QStringLiteral("alarm_def_list")));
        EXPECT_EQ(e2e::ExportStem(program, list), "AlmDef");

        person.OnDialog<CAlarmDefDlg>([&](CAlarmDefDlg& definition) {
            EXPECT_EQ(Field(definition, CAlarmDefDlg::kAlarmNameId), highTemp);
            EXPECT_TRUE(IsChecked(definition, CAlarmDefDlg::kSeverityIds[2]));
            EXPECT_TRUE(IsChecked(definition, CAlarmDefDlg::kEnabledId));
            QTreeView& others = *definition.FindList(CAlarmDefDlg::kSuppressionListId);
            EXPECT_FALSE(ListColumn(others, 0).contains(highTemp)) << "an alarm never suppresses itself";
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(definition, QStringLiteral("alarm_def")));
            Check(definition, CAlarmDefDlg::kSeverityIds[1]);
            TickRows(others, {QStringLiteral("Card Fail"), QStringLiteral("FW Mismatch")});
            // Refused by the server: the dialog stays with what the operator chose.
            server_test::CRawClient& probe = program.ServerProbe();
            const auto refuse = EncodeRecord(SimControlRec{kSimRefuseNextChange, kReqAlarmDef, 0, 0});
            probe.ReplyTo(probe.Send(2, kReqSimControl, 0, {refuse.begin(), refuse.end()}, kSimControlRecSize));
            person.AnswerBox(IDYES);
            Click(definition, IDOK);
            EXPECT_EQ(person.LastBoxText(),
                      QStringLiteral("Fail to update data\n\n(32028) Change refused by the server"));
            EXPECT_FALSE(definition.IsEnded());
            EXPECT_TRUE(IsChecked(definition, CAlarmDefDlg::kSeverityIds[1]));
            person.AnswerBox(IDYES);
            Click(definition, IDOK);
            return IDCANCEL;
        });
        program.ClickListRow(rows, RowOf(rows, List::kNameColumn, highTemp));
        Click(list, kModifyButtonId);
        EXPECT_EQ(Cell(list, highTemp, List::kSeverityColumn), QStringLiteral("Major"));
        EXPECT_EQ(Cell(list, highTemp, List::kSuppressedByColumn), QStringLiteral("Card Fail,FW Mismatch"));

        // A definition opens on its severity and reporting: Disabled is Info and not reported.
        const QString disabled = QStringLiteral("Disabled");
        EXPECT_EQ(Cell(list, disabled, List::kSeverityColumn), QStringLiteral("Info"));
        person.OnDialog<CAlarmDefDlg>([&](CAlarmDefDlg& definition) {
            EXPECT_TRUE(IsChecked(definition, CAlarmDefDlg::kSeverityIds[4]));
            EXPECT_TRUE(IsChecked(definition, CAlarmDefDlg::kDisabledId));
            return IDCANCEL;
        });
        program.ClickListRow(rows, RowOf(rows, List::kNameColumn, disabled));
        Click(list, kModifyButtonId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdAlarmDefinition));
    const AlarmDefRec written =
        Find(program.ServerRecords(kReqAlarmDef, 1), kControlModule, kHighTemp).value_or(AlarmDefRec{});
    EXPECT_EQ(written.severity, 2u);
    EXPECT_EQ(written.suppressionMask, 0xAu);

    // Opened again, the list shows what the NE has; Save All sends it, not the definition files' values.
    person.OnDialog<List>([&](List& list) {
        Choose(list, List::kClassComboId, QStringLiteral("Module"));
        EXPECT_EQ(Cell(list, highTemp, List::kSeverityColumn), QStringLiteral("Major"));
        person.AnswerBox(IDYES);
        Click(list, List::kSaveAllButtonId);
        EXPECT_EQ(person.LastBoxText(), QStringLiteral("Are you sure to save all profiles as templates?"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdAlarmDefinition));
    const std::vector<AlarmDefRec> templates = program.ServerRecords(kReqAlarmDefTemplate);
    const AlarmDefRec saved = Find(templates, kControlModule, kHighTemp).value_or(AlarmDefRec{});
    EXPECT_EQ(saved.severity, 2u);
    EXPECT_EQ(saved.suppressionMask, 0xAu);
    EXPECT_EQ(saved.neModelId, 2u);
    // The definitions of the NE model's modules and ports, no shelf's and no other NE model's.
    std::set<uint32_t> models;
    for (const AlarmDefRec& rec : templates) {
        models.insert(rec.modelId);
        EXPECT_EQ(rec.neModelId, 2u) << rec.modelId;
    }
    std::set<uint32_t> expected(kIpd12.modules.begin(), kIpd12.modules.end());
    expected.insert(kIpd12.ports.begin(), kIpd12.ports.end());
    EXPECT_EQ(models, expected);
    EXPECT_EQ(Find(templates, kIpd12Adsl24, kCardOut).value_or(AlarmDefRec{}).severity, 2u);
    EXPECT_EQ(Find(templates, kIpd12AdslPort, kLos).value_or(AlarmDefRec{}).severity, 3u);
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty());
    // A definition changes at the NE; the templates live on the server, at NE id 0.
    const uint32_t north1 = program.Frame().GetCurrentNeId();
    const std::pair<uint16_t, uint32_t> changes[] = {{kReqAlarmDef, north1}, {kReqAlarmDefTemplate, 0u}};
    for (const auto& [code, neId] : changes) {
        SCOPED_TRACE(code);
        const std::vector<uint32_t> sent = e2e::SentNeIds(program, 2, code);
        ASSERT_FALSE(sent.empty());
        EXPECT_EQ(sent, std::vector<uint32_t>(sent.size(), neId));
    }
}

TEST(AlarmDefE2eTest, TheTemplatesAreListedAndDownloadedToTheNesOfAModel)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();
    ASSERT_NE(Find(program.ServerRecords(kReqAlarmDef, 1), kControlModule, kHighTemp)->severity, 2u)
        << "the NE has its definition file's, not the template's";
    // Templates of a line card's and a port's alarm, graver than the definition files' (major and minor).
    server_test::CRawClient& probe = program.ServerProbe();
    for (const uint32_t model : {kIpd12Adsl24, kIpd12AdslPort}) {
        AlarmDefRec graver;
        graver.modelId = model;
        graver.alarmIndex = model == kIpd12Adsl24 ? kCardOut : kLos;
        graver.neModelId = 2;
        graver.severity = 1;
        graver.reporting = 1;
        const auto bytes = EncodeRecord(graver);
        probe.ReplyTo(probe.Send(2, kReqAlarmDefTemplate, 0, {bytes.begin(), bytes.end()}, kAlarmDefRecSize));
    }

    person.OnDialog<List>([&](List& list) {
        EXPECT_TRUE(list.windowTitle().contains(QStringLiteral("{Template}")));
        EXPECT_TRUE(list.IsControlEnabled(List::kNeComboId));
        EXPECT_FALSE(list.IsControlVisible(List::kSaveAllButtonId));
        EXPECT_TRUE(list.IsControlVisible(List::kDownloadAllButtonId));
        Choose(list, List::kClassComboId, QStringLiteral("Module"));
        // The server's templates: the control module's temperature alarm raised, its firmware alarm not reported.
        EXPECT_EQ(Cell(list, QStringLiteral("High Temp"), List::kSeverityColumn), QStringLiteral("Major"));
        EXPECT_EQ(Cell(list, QStringLiteral("FW Mismatch"), List::kReportingColumn), QStringLiteral("No"));
        // Every NE model's modules.
        Choose(list, List::kNeComboId, QStringLiteral(" <ALL>"));
        EXPECT_EQ(ComboTexts(list, List::kModelComboId),
                  QStringLiteral("CU-2GE,CU-2GE-R,ALC-24,ALC-48,SLC-16,PWR-48V,FAN-4,REL-4I2O,ALC-24,ALC-48,SLC-16,"
                                 "PWR-48V,FAN-4,REL-4I2O"));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(list, QStringLiteral("alarm_def_template_list")));
        // Each NE takes its own model's definitions: the download lists the NEs of one model at a time.
        person.OnDialog<CTemplateDownloadDlg>([&](CTemplateDownloadDlg& download) {
            EXPECT_EQ(Field(download, CTemplateDownloadDlg::kTitleId), QStringLiteral("Alarm Definition"));
            EXPECT_FALSE(ComboTexts(download, CTemplateDownloadDlg::kModelComboId).contains(QStringLiteral("<ALL>")));
            Choose(download, CTemplateDownloadDlg::kModelComboId, QStringLiteral("IPD-12 (1 shelf)"));
            QTreeView& nes = *download.FindList(kListControlId);
            // The NEs of the model at the location chosen in the tree.
            EXPECT_EQ(ListColumn(nes, CTemplateDownloadDlg::kNameColumn), (QStringList{QStringLiteral("North-1")}));
            TickRows(nes, {QStringLiteral("North-1")}, CTemplateDownloadDlg::kNameColumn);
            person.AnswerBox(IDYES);
            Click(download, CTemplateDownloadDlg::kDownloadId);
            EXPECT_TRUE(program.WaitUntil([&] { return !download.IsRunning(); }));
            EXPECT_EQ(e2e::CellImage(nes, RowOf(nes, CTemplateDownloadDlg::kNameColumn, QStringLiteral("North-1"))),
                      kImageDone);
            return IDCANCEL;
        });
        Click(list, List::kDownloadAllButtonId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdAlarmDefinitionTemplate));
    EXPECT_EQ(person.boxTexts, (std::vector<QString>{QStringLiteral("Are you sure to download this template to "
                                                                    "NEs?\n\nIt may overwrite NE current profiles.")}));
    const std::optional<AlarmDefRec> written = Find(program.ServerRecords(kReqAlarmDef, 1), kControlModule, kHighTemp);
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(written->severity, 2u) << "the template's";
    // The card's and the port's went with it.
    const std::vector<AlarmDefRec> held = program.ServerRecords(kReqAlarmDef, 1);
    EXPECT_EQ(Find(held, kIpd12Adsl24, kCardOut).value_or(AlarmDefRec{}).severity, 1u);
    EXPECT_EQ(Find(held, kIpd12AdslPort, kLos).value_or(AlarmDefRec{}).severity, 1u);
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

// Any reporting value but 0 reads "Yes" in the list, but only 1 opens the definition on Enabled: a template that the
// server keeps with reporting 2 opens on Disabled.
TEST(AlarmDefE2eTest, OnlyReportingOneOpensTheDefinitionOnEnabled)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();
    AlarmDefRec odd =
        Find(program.ServerRecords(kReqAlarmDefTemplate), kControlModule, kHighTemp).value_or(AlarmDefRec{});
    odd.reporting = 2;
    const auto bytes = EncodeRecord(odd);
    server_test::CRawClient& probe = program.ServerProbe();
    probe.ReplyTo(probe.Send(2, kReqAlarmDefTemplate, 0, {bytes.begin(), bytes.end()}, kAlarmDefRecSize));
    ASSERT_EQ(
        Find(program.ServerRecords(kReqAlarmDefTemplate), kControlModule, kHighTemp).value_or(AlarmDefRec{}).reporting,
        2u);
    const QString highTemp = QStringLiteral("High Temp");
    person.OnDialog<List>([&](List& list) {
        Choose(list, List::kClassComboId, QStringLiteral("Module"));
        EXPECT_EQ(Cell(list, highTemp, List::kReportingColumn), QStringLiteral("Yes"));
        person.OnDialog<CAlarmDefDlg>([&](CAlarmDefDlg& definition) {
            EXPECT_TRUE(IsChecked(definition, CAlarmDefDlg::kDisabledId));
            EXPECT_FALSE(IsChecked(definition, CAlarmDefDlg::kEnabledId));
            return IDCANCEL;
        });
        QTreeView& rows = *list.FindList(kListControlId);
        program.ClickListRow(rows, RowOf(rows, List::kNameColumn, highTemp));
        Click(list, kModifyButtonId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdAlarmDefinitionTemplate));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

// What the program sends, as its PDU log writes it: the definition lists ask with an 8-byte record, of the NE
// (327) and of the templates (145) alike, while Alarm Sync asks for the NE's definitions with a whole definition.
TEST(AlarmDefE2eTest, DefinitionQueriesAskWithEightBytesAndAlarmSyncWithADefinition)
{
    e2e::CProgram program;
    e2e::PeerOptions logged;
    logged.iniExtra = "[PDULOG]\nPDULOGTOFILE=1\n";
    ASSERT_TRUE(program.StartServer(logged));
    ASSERT_TRUE(program.Login("admin", "admin"));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    // The header lines of the queries (operation 1) of a code, from the log and the part it turned over to PDU.bak
    // when it grew past its size; each line holds its time and sequence number, so a line is new when it was not
    // there before.
    const auto queryLines = [&](uint16_t code) {
        const std::string wanted = " SEND op=1 ne=";
        const std::string codeField = " code=" + std::to_string(code) + " ";
        std::set<std::string> lines;
        for (const char* name : {"PDU.bak", "PDU.log"}) {
            std::ifstream log(program.WorkDir().Path() / name);
            std::string line;
            while (std::getline(log, line)) {
                if (line.find(wanted) != std::string::npos && line.find(codeField) != std::string::npos)
                    lines.insert(line);
            }
        }
        return lines;
    };
    // The NE ids and record sizes of the queries that the command sent ("ne=N size=S"): they are in the log as soon
    // as they went.
    const auto field = [](const std::string& line, const std::string& name) {
        const size_t at = line.find(' ' + name + '=');
        return line.substr(at + 1, line.find(' ', at + 1) - at - 1);
    };
    const auto sentQueries = [&](uint16_t code, const std::set<std::string>& before) {
        std::vector<std::string> sent;
        for (const std::string& line : queryLines(code)) {
            if (before.count(line) == 0)
                sent.push_back(field(line, "ne") + ' ' + field(line, "size"));
        }
        return sent;
    };
    e2e::COperator& person = program.Operator();
    const std::string north1 = "ne=" + std::to_string(program.Frame().GetCurrentNeId());
    // The NE's definitions go to the NE, the templates to NE id 0.
    struct Row {
        int command;
        uint16_t code;
        std::string sent;
    };
    for (const Row& row : {Row{kCmdAlarmDefinition, kReqAlarmDef, north1 + " size=8"},
                           Row{kCmdAlarmDefinitionTemplate, kReqAlarmDefTemplate, "ne=0 size=8"}}) {
        SCOPED_TRACE(row.code);
        const std::set<std::string> before = queryLines(row.code);
        person.OnDialog<List>([](List&) { return IDCANCEL; });
        ASSERT_TRUE(program.Command(row.command));
        EXPECT_EQ(sentQueries(row.code, before), std::vector<std::string>{row.sent});
    }
    const std::set<std::string> before = queryLines(kReqAlarmDef);
    ASSERT_TRUE(program.Command(kCmdAlarmSync));
    EXPECT_EQ(sentQueries(kReqAlarmDef, before),
              std::vector<std::string>{north1 + " size=" + std::to_string(kAlarmDefRecSize)});
    EXPECT_EQ(person.boxTexts, std::vector<QString>{QStringLiteral("Complete synchronizing NE current alarms")});
}

TEST(AlarmDefE2eTest, OpensOnTheNesPortsAndOffersTheCardsAndPortsOfItsModel)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    ExpectOpenedOnTheNe(program, QStringLiteral("North-1"), kIpd12, QStringLiteral("alarm_def_opened_ipd12"));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("South-1")));
    ExpectOpenedOnTheNe(program, QStringLiteral("South-1"), kIpd48, QStringLiteral("alarm_def_opened_ipd48"));
    EXPECT_TRUE(program.Operator().boxTexts.empty());
}

TEST(AlarmDefE2eTest, DirectModeOpensOnTheNesPortsOfEitherNeModel)
{
    {
        e2e::CProgram program;
        ASSERT_TRUE(program.LoginToTheNe());
        ExpectOpenedOnTheNe(program, QStringLiteral("127.0.0.1"), kIpd48,
                            QStringLiteral("alarm_def_opened_direct_ipd48"));
        EXPECT_TRUE(program.Operator().boxTexts.empty());
    }
    // An IPD-12 with the cards of its fixed slots, as the NE reports them when nobody planned any.
    e2e::CProgram program;
    const std::filesystem::path scenario = program.WorkDir().Path() / "ipd12.ini";
    app_test::WriteText(scenario, "[AGENT]\nNEMODEL=2\n[NeSnmpCommunityRecord.1]\ncommunity=private\npermission=2\n"
                                  "state=1\n[NeUserAccountRecord.1]\nuserName=qurim\nrole=2\nstate=1\n");
    ASSERT_TRUE(program.StartAgent({}, scenario.string()));
    ASSERT_TRUE(program.Login("qurim", "private"));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("127.0.0.1")));
    ExpectOpenedOnTheNe(program, QStringLiteral("127.0.0.1"), kIpd12, QStringLiteral("alarm_def_opened_direct_ipd12"));
    EXPECT_TRUE(program.Operator().boxTexts.empty());
}

TEST(AlarmDefE2eTest, DirectModeListsTheNesDefinitionsWithoutTemplates)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginToTheNe());
    e2e::COperator& person = program.Operator();
    person.OnDialog<List>([&](List& list) {
        EXPECT_FALSE(list.IsControlVisible(List::kSaveAllButtonId));
        EXPECT_FALSE(list.IsControlVisible(List::kDownloadAllButtonId));
        Choose(list, List::kClassComboId, QStringLiteral("Shelf"));
        EXPECT_EQ(ComboTexts(list, List::kModelComboId), QStringLiteral("IPD-48 Main Shelf,IPD-48 Expansion Shelf"));
        EXPECT_FALSE(ListColumn(*list.FindList(kListControlId), List::kNameColumn).isEmpty());
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdAlarmDefinition));
    EXPECT_TRUE(person.boxTexts.empty());
}

} // namespace
