#include "tests/features/fault/trap_log/trap_log_test_support.h"

#include "features/fault/trap_log/trap_log_filter_dlg.h"
#include "features/fault/trap_log/trap_log_filter_store.h"
#include "platform/scripted_runners.h"

#include <QCheckBox>
#include <QComboBox>

#include <functional>
#include <vector>

namespace {

using namespace trap_log_test;

constexpr uint32_t kBelow = kTrapLogFilterBelow;

class TrapLogFilterDlgTest : public FaultTestEnvironment {
protected:
    // Opens the dialog on the filter, runs the script on it and returns the dialog's result.
    int Run(const TrapLogFilter& filter, const std::function<int(CTrapLogFilterDlg&)>& script)
    {
        AppSettings().trapLogFilter = filter;
        CTrapLogFilterDlg dialog;
        runner_.Push([&](QDialog&) {
            dialog.OnFirstShow();
            return script(dialog);
        });
        return dialog.DoModal();
    }

    static QComboBox& Combo(CTrapLogFilterDlg& dialog, int id)
    {
        auto* combo = dialog.GetDlgItemAs<QComboBox>(id);
        EXPECT_NE(combo, nullptr) << id;
        return *combo;
    }

    static QStringList Items(CTrapLogFilterDlg& dialog, int id)
    {
        QStringList items;
        QComboBox& combo = Combo(dialog, id);
        for (int i = 0; i < combo.count(); ++i)
            items << combo.itemText(i);
        return items;
    }

    static QString Selected(CTrapLogFilterDlg& dialog, int id) { return Combo(dialog, id).currentText(); }

    // Chooses the item with the text, as the operator does.
    static void Choose(CTrapLogFilterDlg& dialog, int id, const QString& text)
    {
        QComboBox& combo = Combo(dialog, id);
        const int index = combo.findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        combo.setCurrentIndex(index);
        dialog.OnCommand(id, CBN_SELCHANGE);
    }

    static void Tick(CTrapLogFilterDlg& dialog, int id, bool on)
    {
        auto* box = dialog.GetDlgItemAs<QCheckBox>(id);
        ASSERT_NE(box, nullptr);
        box->setChecked(on);
    }

    ScriptedModalRunner runner_;
    ScriptedMessageBoxes boxes_;
};

// OK stores what the operator chose, on the application and in Tarvik.ini.
TEST_F(TrapLogFilterDlgTest, OkStoresTheChoiceInTheConfiguration)
{
    struct Row {
        const char* what;
        TrapLogFilter opened;
        std::function<void(CTrapLogFilterDlg&)> choose;
        TrapLogFilter stored;
        const char* text;
    };
    const Row rows[] = {
        {"everything on <ALL>, every box ticked",
         {0, 0, 0, 0x3F},
         [](CTrapLogFilterDlg&) {},
         {0, 0, 1, 0x3F | kBelow},
         "0,0,1,0x8000003F"},
        {"an NE with shelf <none>: the NE alone",
         {0, 0, 0, 0x3F},
         [](CTrapLogFilterDlg& d) {
             Choose(d, CTrapLogFilterDlg::kNeComboId, "alpha");
             Choose(d, CTrapLogFilterDlg::kShelfComboId, " <none>");
         },
         {0, kAlpha, 1, 0x3F},
         "0,10,1,0x0000003F"},
        {"shelf 2 with slot <ALL>: the shelf and below",
         {0, 0, 0, 0x3F},
         [](CTrapLogFilterDlg& d) {
             Choose(d, CTrapLogFilterDlg::kNeComboId, "alpha");
             Choose(d, CTrapLogFilterDlg::kShelfComboId, "2");
         },
         {0, kAlpha, 20000, 0x3F | kBelow},
         "0,10,20000,0x8000003F"},
        {"a port alone",
         {kNorth, kAlpha, 12101, 0x06},
         [](CTrapLogFilterDlg&) {},
         {kNorth, kAlpha, 12101, 0x06},
         "1,10,12101,0x00000006"},
        {"every box unticked: nothing new is logged",
         {0, 0, 0, 0x3F},
         [](CTrapLogFilterDlg& d) {
             for (int id : {1172, 1175, 1177, 1180, 1394, 1171})
                 Tick(d, id, false);
         },
         {0, 0, 1, kBelow},
         "0,0,1,0x80000000"},
        {"a location",
         {0, 0, 0, 0x3F},
         [](CTrapLogFilterDlg& d) {
             Choose(d, CTrapLogFilterDlg::kLocationComboId, "South");
             Tick(d, CTrapLogFilterDlg::kClearCheckId, false);
         },
         {kSouth, 0, 1, 0x3E | kBelow},
         "5,0,1,0x8000003E"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        WriteConfig("[ALARM]\nBEEP=NO\n");
        EXPECT_EQ(Run(row.opened,
                      [&](CTrapLogFilterDlg& dialog) {
                          row.choose(dialog);
                          dialog.OnOK();
                          return IDCANCEL;
                      }),
                  IDOK);
        EXPECT_EQ(AppSettings().trapLogFilter, row.stored);
        EXPECT_EQ(ConfigValue("ALARM", "TRAPLOGFILTER"), std::string(row.text));
        // The rest of the file stays.
        EXPECT_EQ(ConfigValue("ALARM", "BEEP"), std::string("NO"));
    }
    EXPECT_TRUE(boxes_.Requests().empty());
}

TEST_F(TrapLogFilterDlgTest, CancelChangesNothing)
{
    WriteConfig("[ALARM]\nTRAPLOGFILTER=0,0,0,0xFF\n");
    EXPECT_EQ(Run({0, 0, 0, 0xFF},
                  [](CTrapLogFilterDlg& d) {
                      Choose(d, CTrapLogFilterDlg::kNeComboId, "alpha");
                      return IDCANCEL;
                  }),
              IDCANCEL);
    EXPECT_EQ(AppSettings().trapLogFilter, (TrapLogFilter{0, 0, 0, 0xFF}));
    EXPECT_EQ(ConfigValue("ALARM", "TRAPLOGFILTER"), std::string("0,0,0,0xFF"));
}

// The dialog opens on the stored filter; what it shows can be stored again unchanged.
TEST_F(TrapLogFilterDlgTest, OpensOnTheStoredFilter)
{
    struct Row {
        const char* what;
        TrapLogFilter filter;
        QStringList selected; // location, NE, shelf, slot, port
        TrapLogFilter storedAgain;
    };
    const Row rows[] = {
        {"slot 3 and below",
         {0, kAlpha, 10300, 0x3F | kBelow},
         {"<Root>", "alpha", "1", "3", " <ALL>"},
         {0, kAlpha, 10300, 0x3F | kBelow}},
        {"slot 3 alone", {0, kAlpha, 10300, 0x3F}, {"<Root>", "alpha", "1", "3", " <none>"}, {0, kAlpha, 10300, 0x3F}},
        {"shelf 2 alone",
         {0, kAlpha, 20000, 0x01},
         {"<Root>", "alpha", "2", " <none>", " <none>"},
         {0, kAlpha, 20000, 0x01}},
        {"a port", {0, kAlpha, 12102, 0x3F}, {"<Root>", "alpha", "1", "21", "GE2"}, {0, kAlpha, 12102, 0x3F}},
        {"the NE and below",
         {kNorth, kAlpha, 1, 0x3F | kBelow},
         {"North", "alpha", " <ALL>", " <ALL>", " <ALL>"},
         {kNorth, kAlpha, 1, 0x3F | kBelow}},
        {"the NE alone",
         {kNorth, kAlpha, 1, 0x3F},
         {"North", "alpha", " <none>", " <none>", " <none>"},
         {kNorth, kAlpha, 1, 0x3F}},
        {"the built-in default: any entity",
         {0, 0, 0, 0xFF},
         {"<Root>", " <ALL>", " <ALL>", " <ALL>", " <ALL>"},
         {0, 0, 1, 0x3F | kBelow}},
        {"an NE no longer listed",
         {kSouth, kAlpha, 1, 0x3F},
         {"South", " <ALL>", " <none>", " <none>", " <none>"},
         {kSouth, 0, 1, 0x3F}},
        {"a location that is gone",
         {77, 0, 1, 0x3F},
         {"<Root>", " <ALL>", " <none>", " <none>", " <none>"},
         {0, 0, 1, 0x3F}},
    };
    const int combos[] = {CTrapLogFilterDlg::kLocationComboId, CTrapLogFilterDlg::kNeComboId,
                          CTrapLogFilterDlg::kShelfComboId, CTrapLogFilterDlg::kSlotComboId,
                          CTrapLogFilterDlg::kPortComboId};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Run(row.filter, [&](CTrapLogFilterDlg& dialog) {
            QStringList selected;
            for (int id : combos)
                selected << Selected(dialog, id);
            EXPECT_EQ(selected, row.selected);
            dialog.OnOK();
            return IDCANCEL;
        });
        EXPECT_EQ(AppSettings().trapLogFilter, row.storedAgain);
    }
}

TEST_F(TrapLogFilterDlgTest, SeverityBoxesFollowTheMaskBits)
{
    Run({0, 0, 0, 0x15}, [](CTrapLogFilterDlg& dialog) {
        // Bits 0, 2 and 4: Clear, Major and Warning.
        const std::pair<int, bool> boxes[] = {{1172, false}, {1175, true},  {1177, false},
                                              {1180, true},  {1394, false}, {1171, true}};
        for (auto [id, ticked] : boxes)
            EXPECT_EQ(dialog.GetDlgItemAs<QCheckBox>(id)->isChecked(), ticked) << id;
        return IDCANCEL;
    });
}

TEST_F(TrapLogFilterDlgTest, CombosFollowTheChoicesAbove)
{
    Run({0, 0, 0, 0x3F}, [](CTrapLogFilterDlg& d) {
        EXPECT_EQ(Items(d, CTrapLogFilterDlg::kLocationComboId), (QStringList{"<Root>", "North", "Harbour", "South"}));
        // Sub-locations count (DIALOG/INCLSUBNE 1): the root lists every NE, North also Harbour's.
        EXPECT_EQ(Items(d, CTrapLogFilterDlg::kNeComboId), (QStringList{" <ALL>", "alpha", "bravo", "charlie"}));
        EXPECT_EQ(Items(d, CTrapLogFilterDlg::kShelfComboId), (QStringList{" <none>", " <ALL>"}));
        Choose(d, CTrapLogFilterDlg::kLocationComboId, "North");
        EXPECT_EQ(Items(d, CTrapLogFilterDlg::kNeComboId), (QStringList{" <ALL>", "alpha", "bravo"}));

        Choose(d, CTrapLogFilterDlg::kNeComboId, "alpha");
        EXPECT_EQ(Items(d, CTrapLogFilterDlg::kShelfComboId), (QStringList{" <none>", "1", "2", " <ALL>"}));
        EXPECT_EQ(Selected(d, CTrapLogFilterDlg::kShelfComboId), " <ALL>");
        EXPECT_EQ(Items(d, CTrapLogFilterDlg::kSlotComboId), (QStringList{" <none>", " <ALL>"}));
        EXPECT_FALSE(d.IsControlEnabled(CTrapLogFilterDlg::kSlotComboId));
        EXPECT_FALSE(d.IsControlEnabled(CTrapLogFilterDlg::kPortComboId));

        Choose(d, CTrapLogFilterDlg::kShelfComboId, "1");
        QStringList slotItems = Items(d, CTrapLogFilterDlg::kSlotComboId);
        EXPECT_EQ(slotItems.size(), 28); // 26 slots between <none> and <ALL>
        EXPECT_EQ(slotItems.mid(23, 3), (QStringList{"P1", "P2", "25"}));
        EXPECT_EQ(Selected(d, CTrapLogFilterDlg::kSlotComboId), " <ALL>");
        EXPECT_TRUE(d.IsControlEnabled(CTrapLogFilterDlg::kSlotComboId));
        EXPECT_FALSE(d.IsControlEnabled(CTrapLogFilterDlg::kPortComboId));

        Choose(d, CTrapLogFilterDlg::kSlotComboId, "21");
        EXPECT_EQ(Items(d, CTrapLogFilterDlg::kPortComboId), (QStringList{" <none>", "GE1", "GE2", " <ALL>"}));
        EXPECT_TRUE(d.IsControlEnabled(CTrapLogFilterDlg::kPortComboId));

        // Back to no slot: the port combo offers nothing and follows the slot's choice.
        Choose(d, CTrapLogFilterDlg::kSlotComboId, " <none>");
        EXPECT_EQ(Items(d, CTrapLogFilterDlg::kPortComboId), (QStringList{" <none>", " <ALL>"}));
        EXPECT_EQ(Selected(d, CTrapLogFilterDlg::kPortComboId), " <none>");
        EXPECT_FALSE(d.IsControlEnabled(CTrapLogFilterDlg::kPortComboId));
        Choose(d, CTrapLogFilterDlg::kShelfComboId, " <ALL>");
        EXPECT_EQ(Selected(d, CTrapLogFilterDlg::kSlotComboId), " <ALL>");
        EXPECT_EQ(Selected(d, CTrapLogFilterDlg::kPortComboId), " <ALL>");

        // A location change keeps the NE when it is still listed.
        Choose(d, CTrapLogFilterDlg::kLocationComboId, "<Root>");
        EXPECT_EQ(Selected(d, CTrapLogFilterDlg::kNeComboId), "alpha");
        Choose(d, CTrapLogFilterDlg::kLocationComboId, "South");
        EXPECT_EQ(Selected(d, CTrapLogFilterDlg::kNeComboId), " <ALL>");
        return IDCANCEL;
    });
}

// DIALOG/INCLSUBNE (1 when absent): whether North lists Harbour's NE too.
TEST_F(TrapLogFilterDlgTest, SubLocationNesAreListedAsTheConfigurationSays)
{
    const std::pair<const char*, QStringList> rows[] = {
        {"", {" <ALL>", "alpha", "bravo"}},
        {"[DIALOG]\nINCLSUBNE=1\n", {" <ALL>", "alpha", "bravo"}},
        {"[DIALOG]\nINCLSUBNE=0\n", {" <ALL>", "alpha"}},
    };
    for (const auto& [config, nes] : rows) {
        SCOPED_TRACE(config);
        WriteConfig(config);
        Run({kNorth, 0, 0, 0x3F}, [&](CTrapLogFilterDlg& d) {
            EXPECT_EQ(Items(d, CTrapLogFilterDlg::kNeComboId), nes);
            return IDCANCEL;
        });
    }
}

// OK says nothing of the file: the filter is in force whether or not Tarvik.ini takes it.
TEST_F(TrapLogFilterDlgTest, AFilterThatCannotBeSavedIsKeptForTheSessionWithoutABox)
{
    // A folder where the file should be: it cannot be written.
    ASSERT_TRUE(std::filesystem::remove("Tarvik.ini"));
    ASSERT_TRUE(std::filesystem::create_directory("Tarvik.ini"));
    EXPECT_EQ(Run({0, 0, 0, 0xFF},
                  [](CTrapLogFilterDlg& d) {
                      Choose(d, CTrapLogFilterDlg::kNeComboId, "bravo");
                      d.OnOK();
                      return IDCANCEL;
                  }),
              IDOK);
    EXPECT_EQ(AppSettings().trapLogFilter.neId, kBravo);
    EXPECT_TRUE(boxes_.Requests().empty());
}

TEST_F(TrapLogFilterDlgTest, TheStoreCopiesOnlyTheFieldsAskedFor)
{
    SetTrapLogFilter(1, 2, 10300, 0x8000003F);
    uint32_t entity = 0;
    uint32_t mask = 0;
    EXPECT_EQ(GetTrapLogFilter(nullptr, nullptr, &entity, &mask), 1u);
    EXPECT_EQ(entity, 10300u);
    EXPECT_EQ(mask, 0x8000003Fu);
    EXPECT_EQ(AppSettings().trapLogFilter, (TrapLogFilter{1, 2, 10300, 0x8000003F}));
}

} // namespace
