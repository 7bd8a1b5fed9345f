#pragma once
// Shared pieces of the trap log and alarm summary tests: the sample entity models, a small network (three locations,
// three NEs), an operator allowed to see alarms, a working directory of its own with a Tarvik.ini, the program's
// strings and images, and a ring of records put straight into the trap log.

#include "tarvik_test_paths.h"
#include "tests/core/temp_file_test.h"
#include "tests/platform/qt_test_app.h"

#include "core/config/app_settings.h"
#include "core/entity/entity_id.h"
#include "core/entity/entity_model_loader.h"
#include "core/entity/entity_model_set.h"
#include "core/ini/ini_file.h"
#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "core/tables/trap_log_ring.h"
#include "core/tables/user_account.h"
#include "platform/list_control.h"
#include "platform/notify_codes.h"
#include "platform/scripted_runners.h"
#include "ui/framework/lists/export_dlg.h"
#include "ui/framework/lists/row_colors.h"
#include "ui/framework/messages/string_table.h"

#include <QCoreApplication>
#include <QString>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>
#include <string>

// Readable failure messages for Qt texts.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace trap_log_test {

inline const std::string kResources = TARVIK_RESOURCES_DIR;

// The network: North (1) with Harbour (2) below it, and South (5); alpha (10, a two-shelf NE) in North, bravo (11)
// in Harbour and charlie (12) in South, both one-shelf NEs.
inline constexpr uint32_t kNorth = 1;
inline constexpr uint32_t kHarbour = 2;
inline constexpr uint32_t kSouth = 5;
inline constexpr uint32_t kAlpha = 10;
inline constexpr uint32_t kBravo = 11;
inline constexpr uint32_t kCharlie = 12;
inline constexpr uint32_t kTwoShelfModel = 4;
inline constexpr uint32_t kOneShelfModel = 2;

// The back colour the row's style gives its cells; black text in every style of the fault lists.
inline COLORREF RowBackColor(const RowColorTable& table, const CListControl& list, int row)
{
    RowColorCell cell;
    cell.row = row;
    cell.column = 1;
    cell.image = list.GetItemImage(row, 0);
    const int style = SelectRowStyle(table, cell);
    EXPECT_GE(style, 0);
    if (style < 0)
        return 0;
    EXPECT_EQ(table.styles[static_cast<size_t>(style)].textColor, 0x000000u);
    return table.styles[static_cast<size_t>(style)].backColor;
}

// What the Export dialog was given: file stem, title and delimiter.
struct ExportOffer {
    std::string stem;
    std::string title;
    char delimiter = 0;
};

// The next modal dialog is taken as the Export dialog: what it was given is noted, and it is cancelled.
inline void NoteExport(ScriptedModalRunner& runner, ExportOffer& offer)
{
    runner.Push([&offer](QDialog& dialog) {
        const auto* exporting = dynamic_cast<CExportDlg*>(&dialog);
        EXPECT_NE(exporting, nullptr);
        if (exporting != nullptr)
            offer = {exporting->GetStem(), exporting->GetExportTitle(), exporting->GetDelimiter()};
        return IDCANCEL;
    });
}

class FaultTestEnvironment : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadAppStrings(kResources + "/strings/strings.tsv");
        EntityModelLoadResult loaded =
            LoadEntityModelSet(kResources + "/EntConf/EntInfo.dat", kResources + "/EntConf/EntAlm.dat",
                               kResources + "/EntConf/EntSkin.dat");
        ASSERT_NE(loaded.models, nullptr) << loaded.error;
        ReplaceEntityModels(std::move(loaded.models));

        AppData().Reset();
        ClearUserRights();
        AppSettings() = CAppSettings{};
        ASSERT_EQ(SetUserRights(kRoleUser, "qqqqqqqqqq"), 0);
        AppData().role = kRoleUser;
        AddLocation(kNorth, 0, "North");
        AddLocation(kHarbour, kNorth, "Harbour");
        AddLocation(kSouth, 0, "South");
        AddNe(kAlpha, kNorth, "alpha", kTwoShelfModel);
        AddNe(kBravo, kHarbour, "bravo", kOneShelfModel);
        AddNe(kCharlie, kSouth, "charlie", kOneShelfModel);
        WriteConfig("[DIALOG]\nINCLSUBNE=1\n");
        ASSERT_EQ(AppTrapLog().ResetTrapLog(AppSettings().trapLogSize), 1);
    }

    void TearDown() override
    {
        AppTrapLog().ReleaseTrapLog();
        AppData().Reset();
        ClearUserRights();
        AppSettings() = CAppSettings{};
        ReplaceEntityModels(nullptr);
    }

    static void AddLocation(uint32_t id, uint32_t parent, const char* name)
    {
        CLocationNode node;
        node.id = id;
        node.parentId = parent;
        node.name = name;
        ASSERT_EQ(AppData().locations.UpsertLocation(node), LocationResult::kOk);
    }

    static void AddNe(uint32_t id, uint32_t location, const char* name, uint32_t model)
    {
        CNeRecord ne;
        ne.neId = id;
        ne.locationId = location;
        ne.name = name;
        ne.neModelId = model;
        ne.address = {10, 0, 0, static_cast<uint8_t>(id)};
        ASSERT_EQ(AppData().nes.AddNe(ne), NeResult::kOk);
    }

    static void WriteConfig(const std::string& text) { WriteText("Tarvik.ini", text); }

    static std::optional<std::string> ConfigValue(const char* section, const char* key)
    {
        const CIniFile ini = CIniFile::Parse(ReadText("Tarvik.ini"));
        const std::string* value = ini.Find(section, key);
        return value != nullptr ? std::optional<std::string>(*value) : std::nullopt;
    }

    // One notification's entity state as the ring takes it.
    static TrapLogRecord State(uint32_t entityId, uint32_t bits, int32_t severity, uint32_t occurTime = 1000)
    {
        TrapLogRecord record;
        record.entityId = entityId;
        record.alarmBits = bits;
        record.severity = severity;
        record.onlineType = kEntityTypeUnknown;
        record.plannedType = kEntityTypeUnknown;
        record.occurTime = occurTime;
        record.receiveTime = occurTime + 1;
        return record;
    }

    // Logs one record through the application's filter.
    static void Log(uint32_t neId, const TrapLogRecord& state)
    {
        ASSERT_EQ(AppTrapLog().AddTrapLogRecords(neId, &state, 1), 1);
    }

private:
    CTempDir workDir_{true};
};

// Runs the dialog on NE Alpha as its first show leaves it, hands its list to `check`, and ends it.
template <class Dialog>
void ShowOnAlpha(Dialog& dialog, const std::function<void(const CListControl&)>& check)
{
    const CEntityId ne(1u);
    dialog.SetTarget(kAlpha, &ne);
    ScriptedModalRunner runner;
    runner.Push([&](QDialog&) {
        dialog.OnFirstShow();
        check(CListControl(dialog.FindList(kListControlId)));
        return IDCANCEL;
    });
    dialog.DoModal();
}

} // namespace trap_log_test
