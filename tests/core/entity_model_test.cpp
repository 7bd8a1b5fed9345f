#include "core/entity/entity_id.h"
#include "core/entity/entity_model_loader.h"
#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type_ids.h"
#include "tarvik_test_paths.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

const std::string kResources = TARVIK_RESOURCES_DIR;
const std::string kData = std::string(TARVIK_TEST_DATA_DIR) + "/entity/";

EntityModelLoadResult LoadSample()
{
    return LoadEntityModelSet(kResources + "/EntConf/EntInfo.dat", kResources + "/EntConf/EntAlm.dat",
                              kResources + "/EntConf/EntSkin.dat");
}

// ---- the sample definition files ----------------------------------------------------------------------------

class SampleModels : public ::testing::Test {
protected:
    static void SetUpTestSuite() { result_ = new EntityModelLoadResult(LoadSample()); }
    static void TearDownTestSuite()
    {
        delete result_;
        result_ = nullptr;
    }
    static const CEntityModelSet& Set() { return *result_->models; }
    static const CEntityType& Model(uint32_t id)
    {
        const CEntityType* model = Set().FindModel(id);
        EXPECT_NE(model, nullptr) << id;
        static const CEntityType kNone(0);
        return model ? *model : kNone;
    }

    static EntityModelLoadResult* result_;
};

EntityModelLoadResult* SampleModels::result_ = nullptr;

TEST_F(SampleModels, LoadWithoutDiagnostics)
{
    ASSERT_NE(result_->models, nullptr) << result_->error;
    for (const auto& d : result_->diagnostics)
        ADD_FAILURE() << d;
    for (int i = 1; i < Set().GetTypeCount(); ++i)
        EXPECT_LT(Set().GetTypeAt(i - 1)->GetId(), Set().GetTypeAt(i)->GetId());
    EXPECT_EQ(Set().GetTypeAt(Set().GetTypeCount()), nullptr);
    EXPECT_EQ(Set().GetTypeAt(-1), nullptr);
}

// The control and uplink modules sit where CwmModuleIndex says, with trunk ports 1 and 2.
TEST_F(SampleModels, ControlModulesWhereTheNeModelsPutThem)
{
    struct Row {
        uint32_t neModel;
        int module;
    };
    for (const Row& r : {Row{2, 1}, Row{4, 1}, Row{4, 2}}) {
        const CEntityIndex slot = CwmModuleIndex(r.module, r.neModel);
        ASSERT_EQ(slot.GetLevel(), 3);
        const CEntityType& ne = Model(r.neModel);
        const CEntityType& shelf = Model(ne.GetChildFixedType(static_cast<int>(slot.Shelf()) - 1));
        const int position = static_cast<int>(slot.Slot()) - 1;
        const CEntityType& module = Model(shelf.GetChildFixedType(position));
        EXPECT_EQ(module.GetLevel(), 3);
        EXPECT_TRUE(shelf.SlotAcceptsClass(position, module.GetProvClass()));
        ASSERT_EQ(module.GetChildCount(), 2);
        for (int port = 0; port < 2; ++port) {
            EXPECT_EQ(Model(module.GetChildFixedType(port)).GetProvClass(), kProvClassTrunkPort);
            EXPECT_TRUE(module.SlotAcceptsClass(port, kProvClassTrunkPort));
        }
    }
    // The redundant pair of the two-module NE delegates to its first slot.
    const CEntityType& mainShelf = Model(11);
    EXPECT_EQ(mainShelf.GetChildRedundant(20), 1);
    EXPECT_EQ(mainShelf.GetChildRedundant(21), 1);
    EXPECT_EQ(mainShelf.GetChildRedundant(0), 0);
    EXPECT_EQ(mainShelf.GetChildDelegate(21), 20);
    EXPECT_EQ(mainShelf.GetChildDelegate(3), 3);
    EXPECT_STREQ(mainShelf.GetChildName(22), "P1");
    EXPECT_STREQ(mainShelf.GetChildName(0), "1");
}

// A typing slip in a child list would leave a position pointing at no model.
TEST_F(SampleModels, EveryReferencedModelExists)
{
    const std::set<uint32_t> special = {kEntityTypeEmpty, kEntityTypeAbsent, kEntityTypeUnknown};
    for (int i = 0; i < Set().GetTypeCount(); ++i) {
        const CEntityType& m = *Set().GetTypeAt(i);
        if (!NeModelMatchesAnyNe(m.GetNeModelId())) {
            EXPECT_EQ(Model(m.GetNeModelId()).GetLevel(), 1) << m.GetId();
        }
        for (int p = 0; p < m.GetChildCount(); ++p) {
            for (uint32_t ref : {m.GetChildFixedType(p), m.GetChildEmpty(p), m.GetChildVoid(p)}) {
                if (!special.count(ref)) {
                    EXPECT_EQ(Model(ref).GetLevel(), m.GetLevel() + 1) << m.GetId() << "/" << p;
                }
            }
            EXPECT_LE(p + 1, static_cast<int>(Set().GetMaxEntityLevel(m.GetLevel() + 1))) << m.GetId();
        }
        // Entities with children are drawn, and an NE or shelf has a rectangle per child.
        if (m.GetChildCount() > 0) {
            EXPECT_TRUE(m.HasTemplates()) << m.GetId();
        }
        if (m.GetLevel() <= 2) {
            EXPECT_EQ(m.GetTemplateRectCount(0, 0), m.GetChildCount()) << m.GetId();
        }
    }
}

// Each NE model has shelves, cards and ports of its own: every model an NE of it can hold, at a fixed position or
// in a slot that takes any card of a class, belongs to that NE model, so the alarm definitions of its cards and
// ports can be chosen and saved per NE model. Only the drawings of an empty slot or port, which have no alarms,
// serve every NE model.
TEST_F(SampleModels, EachNeModelHoldsCardsAndPortsOfItsOwn)
{
    struct Row {
        uint32_t neModel;
        size_t shelves, cards, ports; // models of the NE model by level
    };
    for (const Row& r : {Row{2, 1, 7, 5}, Row{4, 2, 7, 5}}) {
        SCOPED_TRACE(r.neModel);
        std::set<uint32_t> held;
        const auto hold = [&](uint32_t id) {
            if (id != kEntityTypeEmpty && id != kEntityTypeAbsent && id != kEntityTypeUnknown)
                held.insert(id);
        };
        const CEntityType& ne = Model(r.neModel);
        for (int s = 0; s < ne.GetChildCount(); ++s) {
            const CEntityType& shelf = Model(ne.GetChildFixedType(s));
            hold(shelf.GetId());
            for (int p = 0; p < shelf.GetChildCount(); ++p) {
                hold(shelf.GetChildFixedType(p));
                if (shelf.GetChildFixedType(p) != kEntityTypeUnknown)
                    continue;
                // A slot open to a class: every card of the class that an NE of the model may hold.
                int offered = 0;
                for (int i = 0; i < Set().GetTypeCount(); ++i) {
                    const CEntityType& card = *Set().GetTypeAt(i);
                    const uint32_t owner = card.GetNeModelId();
                    if (card.GetLevel() == kEntityLevelSlot && card.GetProvClass() != 0 &&
                        shelf.SlotAcceptsClass(p, card.GetProvClass()) &&
                        (owner == r.neModel || NeModelMatchesAnyNe(owner))) {
                        hold(card.GetId());
                        ++offered;
                    }
                }
                EXPECT_GT(offered, 0) << shelf.GetId() << "/" << p;
            }
        }
        for (uint32_t card : std::set<uint32_t>(held)) {
            const CEntityType& model = Model(card);
            for (int p = 0; model.GetLevel() == kEntityLevelSlot && p < model.GetChildCount(); ++p)
                hold(model.GetChildFixedType(p));
        }
        std::array<size_t, kEntityLevelCount + 1> byLevel{};
        for (uint32_t id : held) {
            EXPECT_EQ(Model(id).GetNeModelId(), r.neModel) << id;
            ++byLevel[Model(id).GetLevel()];
        }
        EXPECT_EQ(byLevel[kEntityLevelShelf], r.shelves);
        EXPECT_EQ(byLevel[kEntityLevelSlot], r.cards);
        EXPECT_EQ(byLevel[kEntityLevelPort], r.ports);
    }
    // What has alarms belongs to one NE model.
    for (int i = 0; i < Set().GetTypeCount(); ++i) {
        const CEntityType& m = *Set().GetTypeAt(i);
        bool alarms = false;
        for (int a = 0; a < kEntityAlarmCount; ++a)
            alarms = alarms || m.GetAlarmDef(a) != nullptr;
        if (alarms) {
            EXPECT_FALSE(NeModelMatchesAnyNe(m.GetNeModelId())) << m.GetId();
        }
    }
}

// ---- the program's entity model -------------------------------------------------------------------------------

TEST(CurrentEntityModels, ResetToEmptyKeepsTheBuiltInAlarms)
{
    ReplaceEntityModels(LoadSample().models);
    ASSERT_NE(FindEntityModel(GetEntityTypeAt(0)->GetId()), nullptr);
    ReplaceEntityModels(nullptr);
    EXPECT_EQ(GetEntityTypeCount(), 0);
    EXPECT_EQ(GetMaxEntityLevel(3), 99U);
    // The built-in alarms stay for entities without a model.
    ASSERT_NE(GetEntityAlarmDef(12345, kEntityAlarmOffline), nullptr);
    EXPECT_EQ(GetEntityAlarmDef(12345, kEntityAlarmOffline)->name, "Offline");
}

TEST(EntityAlarmLookup, IndexRanges)
{
    auto result = LoadEntityModelSetFromText("[MODEL5]\nNAME=Port\nLEVEL=4\n",
                                             "[MODEL5]\nALARM0=LOS,1,1,1,0,x\nALARM31=Disabled,5,0,0,0,y\n"
                                             "[SYSTEM]\nALARM131=\n",
                                             "");
    ASSERT_TRUE(result.diagnostics.empty());
    const CEntityModelSet& set = *result.models;
    struct Row {
        uint32_t model;
        int index;
        const char* name; // null = no definition
    };
    const Row rows[] = {{5, 0, "LOS"},          {5, 31, "Disabled"}, {5, 1, nullptr},
                        {5, 32, nullptr},       {5, 128, nullptr},   {5, 129, "Missing"},
                        {5, 130, "Wrong Type"}, {5, 131, nullptr}, // present but empty: undefined
                        {5, 132, "Offline"},    {5, 133, nullptr},   {5, 255, nullptr},
                        {6, 0, nullptr},        {6, 129, "Missing"}, {0, 132, "Offline"}};
    for (const Row& r : rows) {
        const CEntityAlarmDef* def = set.GetAlarmDef(r.model, static_cast<uint8_t>(r.index));
        if (r.name) {
            ASSERT_NE(def, nullptr) << r.model << "/" << r.index;
            EXPECT_EQ(def->name, r.name);
        } else {
            EXPECT_EQ(def, nullptr) << r.model << "/" << r.index;
        }
    }
    const CEntityAlarmDef* missing = set.GetAlarmDef(5, kEntityAlarmMissing);
    EXPECT_EQ(missing->severity, 2U);
    EXPECT_EQ(missing->text, "Planned module missing");
    EXPECT_EQ(missing->reporting, 1U);
}

// ---- one alarm entry ----------------------------------------------------------------------------------------

TEST(EntityAlarmEntry, FieldsDefaultsAndFaults)
{
    struct Row {
        const char* value;
        bool ok;
        uint32_t defined;
        const char* name;
        uint32_t severity, serviceAffecting, reporting, mask;
        const char* text;
        size_t notes;
    };
    const std::string longText(90, 't');
    const std::string longLine = "LOS,1,0,1,0," + longText;
    const Row rows[] = {
        {"LOS,1,1,1,0,Loss of signal", true, 1, "LOS", 1, 1, 1, 0, "Loss of signal", 0},
        {"LOS,1,1,1,0,a, b, c", true, 1, "LOS", 1, 1, 1, 0, "a, b, c", 0},
        {"  Fan Fail , 2 , , , , ", true, 1, "Fan Fail", 2, 0, 1, 0, "", 0},
        {"Bare", true, 1, "Bare", 0, 0, 1, 0, "", 0},
        {"Hex,3,0,0,ff,t", true, 1, "Hex", 3, 0, 0, 0xFF, "t", 0},
        {"Hex,3,0,0,0x10,t", true, 1, "Hex", 3, 0, 0, 0x10, "t", 0},
        {"Sev,9,0,1,0,kept as written", true, 1, "Sev", 9, 0, 1, 0, "kept as written", 0},
        {",1,1,1,0,no name", true, 0, "", 0, 0, 1, 0, "", 0},
        {"", true, 0, "", 0, 0, 1, 0, "", 0},
        {"ABCDEFGHIJKLMNOPQRS,1", true, 1, "ABCDEFGHIJKLMNOPQ", 1, 0, 1, 0, "", 1},
        {longLine.c_str(), true, 1, "LOS", 1, 0, 1, 0, nullptr, 1},
        {"Bad,x,0,1,0,t", false, 0, "", 0, 0, 1, 0, "", 0},
        {"Bad,1,-1,1,0,t", false, 0, "", 0, 0, 1, 0, "", 0},
        {"Bad,1,0,1,0xZZ,t", false, 0, "", 0, 0, 1, 0, "", 0},
        {"Bad,1,0,99999999999,0,t", false, 0, "", 0, 0, 1, 0, "", 0},
    };
    for (const Row& r : rows) {
        CEntityAlarmDef def;
        def.name = "stale";
        std::string reason;
        std::vector<std::string> notes;
        EXPECT_EQ(ParseEntityAlarmDef(r.value, def, &reason, &notes), r.ok) << r.value;
        EXPECT_EQ(reason.empty(), r.ok) << r.value;
        EXPECT_EQ(def.defined, r.defined) << r.value;
        EXPECT_EQ(def.name, r.name) << r.value;
        EXPECT_EQ(def.severity, r.severity) << r.value;
        EXPECT_EQ(def.serviceAffecting, r.serviceAffecting) << r.value;
        EXPECT_EQ(def.reporting, r.reporting) << r.value;
        EXPECT_EQ(def.suppressionMask, r.mask) << r.value;
        EXPECT_EQ(def.text, r.text ? std::string(r.text) : longText.substr(0, 80)) << r.value;
        EXPECT_EQ(notes.size(), r.notes) << r.value;
    }
}

// ---- broken files -------------------------------------------------------------------------------------------

TEST(EntityModelFiles, BrokenEntriesAreDroppedAndReportedWithFileAndLine)
{
    auto result = LoadEntityModelSet(kData + "broken_info.dat", kData + "broken_alarm.dat", kData + "broken_skin.dat");
    ASSERT_NE(result.models, nullptr);
    std::vector<std::string> shown;
    for (const auto& d : result.diagnostics) {
        EXPECT_EQ(d.rfind(kData, 0), 0U) << "names the file as given: " << d;
        shown.push_back(d.substr(d.rfind(kData, 0) == 0 ? kData.size() : 0));
    }
    const std::vector<std::string> expected = {
        "broken_info.dat:3: [SYSTEM] MAXENTITYLEVEL2: not a number; default used",
        "broken_info.dat:5: [SYSTEM] this line has no equals sign: not a section header, key=value pair or comment",
        "broken_info.dat:11: [MODEL5] CHILDTYPELIST: entry 2 is not a model id or type value; default used",
        "broken_info.dat:12: [MODEL5] CHILDNAMELIST: entry 3 cut to 19 characters",
        "broken_info.dat:13: [MODEL5] CHILDEMPTY: entry 2 is not a model id; default used",
        "broken_info.dat:14: [MODEL5] CHILDREDUNDANT: entry 2 is not 0 or 1; default used",
        "broken_info.dat:15: [MODEL5] CHILDDELEGATELIST: entry 2 is not a position; default used",
        "broken_info.dat:16: [MODEL5] SUBPROVCLASS: entry 1 has more than four classes; the fifth and later dropped",
        "broken_info.dat:16: [MODEL5] SUBPROVCLASS: entry 2 has a class that is not a number 1..254; default used",
        "broken_info.dat:18: [MODEL05] model 5 repeated (first at line 7); model dropped",
        "broken_info.dat:22: [MODEL6] NAME: missing or empty; model dropped",
        "broken_info.dat:28: [MODEL7] LEVEL: not a level 1..5; model dropped",
        "broken_info.dat:30: [MODEL1] bad model id; model dropped",
        "broken_info.dat:34: [MODELX] bad model id; model dropped",
        "broken_info.dat:39: [MODEL8] NAME: cut to 63 characters",
        "broken_info.dat:42: [MODEL8] MENUCLASS: not a number in 0..255; default used",
        "broken_info.dat:43: [MODEL8] PROVCLASS: not a number in 0..254; default used",
        "broken_info.dat:44: [MODEL8] FLAGS: not a number in 0..255; default used",
        "broken_info.dat:45: [MODEL8] NEMODEL: not a model id; default used",
        "broken_info.dat:46: [MODEL8] ICONLIST: entry 3 is not an icon index 0..65535; default used",
        "broken_info.dat:46: [MODEL8] ICONLIST: entry 4 is not an icon index 0..65535; default used",
        "broken_info.dat:47: [MODEL8] ICON: not an icon index 0..65535; default used",
        "broken_info.dat:48: [MODEL8] SYSOBJECTID: not a dotted object identifier; ignored",
        "broken_info.dat:49: [MODEL8] CHILDCNT: not a number in 0..255; default used",
        "broken_info.dat:55: [MODEL9] model 9 repeated (first at line 51); model dropped",
        "broken_alarm.dat:3: [SYSTEM] OFFLINEALARM: not an alarm index 0..31; default used",
        "broken_alarm.dat:4: [SYSTEM] SLAVEALARM: not an alarm index 0..31; default used",
        "broken_alarm.dat:6: [SYSTEM] ALARM130: severity is not a number; alarm left undefined",
        "broken_alarm.dat:11: [MODEL5] ALARM1: name cut to 17 characters",
        "broken_alarm.dat:12: [MODEL5] ALARM2: text cut to 80 characters",
        "broken_alarm.dat:13: [MODEL5] ALARM3: suppression mask is not a hexadecimal number; alarm left undefined",
        "broken_alarm.dat:16: [MODEL5] ALARM6: service-affecting code is not a number; alarm left undefined",
        "broken_alarm.dat:19: [MODEL77] no such model in " + kData + "broken_info.dat; section ignored",
        "broken_alarm.dat:22: [MODEL5] model 5 repeated (first at line 9); section ignored",
        "broken_skin.dat:4: [SYSTEM] SELECTEDMARK: not an \"RL\" shape; default used",
        "broken_skin.dat:9: [SYSTEM] FONT2: not a font spec \"face,size,flags\"; no font",
        "broken_skin.dat:10: [SYSTEM] FONT3: not a font spec \"face,size,flags\"; no font",
        "broken_skin.dat:13: [MODEL5] SIZE: not \"width,height\"; default used",
        "broken_skin.dat:14: [MODEL5] FIT: not N, X, Y, A, B or 0..4; A used",
        "broken_skin.dat:17: [MODEL5] RECT2: not four coordinates left,top,right,bottom; left 0,0,0,0",
        "broken_skin.dat:18: [MODEL5] RECT3: not four coordinates left,top,right,bottom; left 0,0,0,0",
        "broken_skin.dat:19: [MODEL5] SHAPECNT_0_0: not a number; no shapes",
        "broken_skin.dat:21: [MODEL78] no such model in " + kData + "broken_info.dat; section ignored",
    };
    EXPECT_EQ(shown, expected);

    const CEntityModelSet& set = *result.models;
    // Models 5 and 8 stay: a bad key costs the key, not the model.
    EXPECT_EQ(set.GetTypeCount(), 3);
    EXPECT_EQ(set.GetMaxEntityLevel(2), 9U);
    EXPECT_EQ(set.GetMaxEntityLevel(3), 99U); // clamped
    const CEntityType* shelf = set.FindModel(5);
    ASSERT_NE(shelf, nullptr);
    EXPECT_EQ(shelf->GetName(), "Good Shelf");
    EXPECT_EQ(shelf->GetChildFixedType(0), 7U);
    EXPECT_EQ(shelf->GetChildFixedType(1), kEntityTypeUnknown);
    EXPECT_EQ(shelf->GetChildFixedType(2), kEntityTypeUnknown);
    EXPECT_EQ(shelf->GetChildFixedType(3), kEntityTypeAbsent);
    EXPECT_EQ(shelf->GetChildFixedType(4), kEntityTypeAbsent); // beyond CHILDCNT
    EXPECT_STREQ(shelf->GetChildName(0), "A");
    EXPECT_STREQ(shelf->GetChildName(1), "2");
    EXPECT_STREQ(shelf->GetChildName(2), "ThisNameIsMuchTooLo");
    EXPECT_EQ(shelf->GetChildEmpty(0), 7U);
    EXPECT_EQ(shelf->GetChildEmpty(1), 1U);
    EXPECT_EQ(shelf->GetChildDelegate(0), 1);
    EXPECT_EQ(shelf->GetChildDelegate(2), 2); // out of range: itself
    EXPECT_EQ(shelf->GetChildDelegate(9), 9); // no such position: itself
    EXPECT_TRUE(shelf->SlotAcceptsClass(0, 28));
    EXPECT_FALSE(shelf->SlotAcceptsClass(0, 30));
    EXPECT_FALSE(shelf->SlotAcceptsClass(1, 1));
    EXPECT_TRUE(shelf->SlotAcceptsClass(2, 9));
    EXPECT_FALSE(shelf->SlotAcceptsClass(9, 9));
    EXPECT_EQ(shelf->GetChildClasses(9), nullptr);

    const CEntityType* odd = set.FindModel(8);
    ASSERT_NE(odd, nullptr);
    EXPECT_EQ(odd->GetName().size(), CEntityType::kMaxNameLength);
    EXPECT_EQ(odd->GetMenuClass(), 0);
    EXPECT_EQ(odd->GetProvClass(), 0);
    EXPECT_EQ(odd->GetFlags(), 0);
    EXPECT_EQ(odd->GetNeModelId(), kEntityTypeUnknown);
    EXPECT_EQ(odd->GetStateIcon(1), 2U);
    EXPECT_EQ(odd->GetStateIcon(2), 0U);
    EXPECT_EQ(odd->GetIcon(), 1U);
    EXPECT_EQ(odd->GetSysObjectId(), "");
    EXPECT_EQ(odd->GetChildCount(), 0);
    const CEntityType* first = set.FindModel(9);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetName(), "First");

    EXPECT_EQ(set.GetOfflineAlarm(), 0U);
    EXPECT_EQ(set.GetSlaveAlarm(), 30U);
    EXPECT_EQ(set.GetBuiltinAlarm(kEntityAlarmMissing), nullptr);
    EXPECT_EQ(set.GetBuiltinAlarm(kEntityAlarmWrongType), nullptr);
    ASSERT_NE(set.GetBuiltinAlarm(kEntityAlarmUnexpected), nullptr);
    EXPECT_EQ(set.GetBuiltinAlarm(kEntityAlarmUnexpected)->severity, 3U);
    EXPECT_EQ(set.GetBuiltinAlarm(kEntityAlarmOffline)->name, "Offline");
    // An entry's own faults are the entry parser's test; a section repeated is dropped whole.
    EXPECT_EQ(set.GetAlarmDef(5, 3), nullptr);
    EXPECT_EQ(set.GetAlarmDef(5, 7), nullptr);

    EXPECT_EQ(set.GetRoughLevel(), 5U);
    EXPECT_EQ(set.GetSelectedMark(), "RL,@L,@R,@T,@B,0x0000FF,0,2,0,0");
    ASSERT_EQ(set.GetImages().size(), 2U);
    EXPECT_EQ(set.GetImages()[0].file, "./Pictures/panel.bmp");
    EXPECT_EQ(set.GetImages()[1].file, "");
    EXPECT_EQ(set.GetImageHandle(1), 0U);
    ASSERT_EQ(set.GetFonts().size(), 3U);
    EXPECT_TRUE(set.GetFont(1)->bold);
    EXPECT_EQ(set.GetFont(2), nullptr);
    EXPECT_EQ(set.GetFont(3), nullptr);
    ASSERT_TRUE(shelf->HasTemplates());
    EXPECT_EQ(*shelf->GetTemplateSize(0, 0), (CTemplateSize{0, 0}));
    EXPECT_EQ(shelf->GetTemplateFit(0, 0), kTemplateFitA);
    EXPECT_EQ(shelf->GetTemplateShapeCount(0, 0), 0);
    ASSERT_EQ(shelf->GetTemplateRectCount(0, 0), 3);
    EXPECT_EQ(shelf->GetTemplateRect(0, 0, 0)->coords, (std::array<std::string, 4>{"0", "0", "10", "20"}));
    EXPECT_EQ(*shelf->GetTemplateRect(0, 0, 1), CTemplateRect());
    EXPECT_EQ(*shelf->GetTemplateRect(0, 0, 2), CTemplateRect());
}

// ---- template resolution ------------------------------------------------------------------------------------

TEST(EntityTemplates, EachItemComesFromTheSourceTemplateThenTheModelThenSystem)
{
    const char* info = "[MODEL5]\nNAME=Shelf\nLEVEL=2\nCHILDCNT=2\n";
    const char* skin = "[SYSTEM]\n"
                       "COMPONENTMISS=sys-miss\n"
                       "COMPONENTWRONG=sys-wrong\n"
                       "COMPONENTALARM31=sys-alarm31\n"
                       "[MODEL5]\n"
                       "SIZE=100,50\n"
                       "FIT=x\n"
                       "RECTCNT=1\n"
                       "RECT1=1,2,3,4\n"
                       "COMPONENTMISS=model-miss\n"
                       "SHAPECNT_0_0=1\n"
                       "SHAPE_0_0_1=base\n"
                       "SHAPECNT_2_0=2\n"
                       "SHAPE_2_0_1=major\n"
                       "SHAPE_2_0_2=major2\n"
                       "FIT_2_0=B\n"
                       "SHAPECNT_2_1=1\n"
                       "SHAPE_2_1_1=major-state1\n"
                       "SIZE_2_1=200,80\n"
                       "RECTCNT_2_1=2\n"
                       "RECT_2_1_1=@L,@T,@R-3,@S*12+4\n"
                       "RECT_2_1_2=5,6,7,8\n"
                       "COMPONENTMISS_2_1=t21-miss\n"
                       // Counts only in a template with its own SHAPECNT: (1,1) has none.
                       "COMPONENTMISS_1_1=never\n"
                       "SIZE_1_1=9,9\n"
                       "SHAPECNT_3_0=200\n";
    auto result = LoadEntityModelSetFromText(info, "", skin);
    ASSERT_TRUE(result.diagnostics.empty()) << result.diagnostics.front();
    const CEntityType& m = *result.models->FindModel(5);
    struct Row {
        int severity, state;
        const char* shape0;
        int shapes;
        CTemplateSize size;
        int fit;
        int rects;
        const char* miss;
    };
    const Row rows[] = {
        {0, 0, "base", 1, {100, 50}, kTemplateFitX, 1, "model-miss"},
        {0, 2, "base", 1, {100, 50}, kTemplateFitX, 1, "model-miss"},
        {1, 1, "base", 1, {100, 50}, kTemplateFitX, 1, "model-miss"},
        {2, 0, "major", 2, {100, 50}, kTemplateFitB, 1, "model-miss"},
        {2, 3, "major", 2, {100, 50}, kTemplateFitB, 1, "model-miss"},
        {2, 1, "major-state1", 1, {200, 80}, kTemplateFitX, 2, "t21-miss"},
        {2, 99, "major", 2, {100, 50}, kTemplateFitB, 1, "model-miss"},
        {3, 0, nullptr, 192, {100, 50}, kTemplateFitX, 1, "model-miss"}, // count clamped, shapes empty
        {9, 0, "base", 1, {100, 50}, kTemplateFitX, 1, "model-miss"},    // a severity out of range counts as 0
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.severity) + "," + std::to_string(r.state));
        const std::string* shape0 = m.GetTemplateShape(r.severity, r.state, 0);
        if (r.shape0) {
            ASSERT_NE(shape0, nullptr);
            EXPECT_EQ(*shape0, r.shape0);
        } else {
            EXPECT_EQ(shape0, nullptr);
        }
        EXPECT_EQ(m.GetTemplateShapeCount(r.severity, r.state), r.shapes);
        EXPECT_EQ(*m.GetTemplateSize(r.severity, r.state), r.size);
        EXPECT_EQ(m.GetTemplateFit(r.severity, r.state), r.fit);
        EXPECT_EQ(m.GetTemplateRectCount(r.severity, r.state), r.rects);
        EXPECT_EQ(*m.GetTemplateShape(r.severity, r.state, kTemplateShapeMiss), r.miss);
        EXPECT_EQ(*m.GetTemplateShape(r.severity, r.state, kTemplateShapeWrong), "sys-wrong");
        EXPECT_EQ(*m.GetTemplateShape(r.severity, r.state, kTemplateShapeAlarm0 + 31), "sys-alarm31");
        EXPECT_EQ(m.GetTemplateShape(r.severity, r.state, kTemplateShapePlan), nullptr);
    }
    EXPECT_EQ(m.GetTemplateRect(2, 1, 0)->coords, (std::array<std::string, 4>{"@L", "@T", "@R-3", "@S*12+4"}));
    EXPECT_EQ(m.GetTemplateRect(0, 0, 0)->coords, (std::array<std::string, 4>{"1", "2", "3", "4"}));
}

TEST(EntityTemplates, CoordinateTokens)
{
    for (const char* good : {"0", "12", "-3", "+4", "0x1F", "@L", "@r-3", "@T+2", "@W", "@S", "@S+4", "@S*12+4",
                             "@S/2-4", "@S*0x10", "@C", "@V-1"})
        EXPECT_TRUE(IsShapeCoordToken(good)) << good;
    for (const char* bad : {"", "@", "@X", "abc", "1.5", "@L-", "@S*", "@S*x", "0x", "--1", "@L3", "12a"})
        EXPECT_FALSE(IsShapeCoordToken(bad)) << bad;
}

TEST(EntityTemplates, ASourceUsedByManyTemplatesIsOneTemplateAndItsBadKeysAreReportedOnce)
{
    const char* info = "[MODEL5]\nNAME=Shelf\nLEVEL=2\n";
    const char* skin = "[MODEL5]\n"
                       "SIZE=wide\n"
                       "RECTCNT=1\n"
                       "RECT1=1,2,3\n"
                       "SHAPECNT_0_0=1\n"
                       "SHAPE_0_0_1=base\n"
                       "SHAPECNT_1_0=1\n"
                       "SHAPE_1_0_1=minor\n"
                       "SHAPECNT_1_2=1\n"
                       "SHAPE_1_2_1=minor-state2\n";
    auto result = LoadEntityModelSetFromText(info, "", skin);
    const std::vector<std::string> expected = {
        "EntSkin.dat:2: [MODEL5] SIZE: not \"width,height\"; default used",
        "EntSkin.dat:4: [MODEL5] RECT1: not four coordinates left,top,right,bottom; left 0,0,0,0"};
    EXPECT_EQ(result.diagnostics, expected);
    const CEntityType& m = *result.models->FindModel(5);
    // (1,0) is the source of (1,1) and (1,3); (0,0) of every other severity's templates.
    EXPECT_EQ(m.GetTemplate(1, 1), m.GetTemplate(1, 0));
    EXPECT_EQ(m.GetTemplate(1, 3), m.GetTemplate(1, 0));
    EXPECT_EQ(m.GetTemplate(5, 3), m.GetTemplate(0, 0));
    EXPECT_NE(m.GetTemplate(1, 2), m.GetTemplate(1, 0));
    EXPECT_NE(m.GetTemplate(1, 0), m.GetTemplate(0, 0));
    const std::pair<int, int> templates[] = {{0, 0}, {0, 3}, {1, 0}, {1, 1}, {1, 2}, {1, 3}, {5, 3}};
    const char* shapes[] = {"base", "base", "minor", "minor", "minor-state2", "minor", "base"};
    for (size_t i = 0; i < std::size(templates); ++i) {
        const auto [severity, state] = templates[i];
        SCOPED_TRACE(std::to_string(severity) + "," + std::to_string(state));
        ASSERT_NE(m.GetTemplateShape(severity, state, 0), nullptr);
        EXPECT_EQ(*m.GetTemplateShape(severity, state, 0), shapes[i]);
        // Each source takes the model's items, each time the same.
        EXPECT_EQ(*m.GetTemplateSize(severity, state), CTemplateSize());
        ASSERT_EQ(m.GetTemplateRectCount(severity, state), 1);
        EXPECT_EQ(*m.GetTemplateRect(severity, state, 0), CTemplateRect());
    }
}

// ---- key and section names ----------------------------------------------------------------------------------

TEST(EntityModelFiles, KeysAndSectionNamesMatchWhateverTheirCase)
{
    const char* info = "[system]\nMaxEntityLevel3=7\n"
                       "[model5]\nname=Shelf\nLevel=2\nnote=first\nNOTE=second\nchildCnt=2\nChildNameList=a,b\n"
                       "[Model6]\nNAME=Card\nLEVEL=3\nIconList=1,2\nicon=9\n";
    const char* alarm = "[System]\nOfflineAlarm=4\nalarm129=Gone,2,0,1,0,The entity is missing\n"
                        "[model5]\nAlarm3=Hot,3,0,1,0,Too hot\n";
    const char* skin = "[SYSTEM]\nComponentMiss=sys-miss\nimagecnt=1\nImage1=a.bmp\n"
                       "[MODEL5]\nsize=10,20\nFit=y\nrectcnt=1\nRect1=1,2,3,4\n"
                       "ShapeCnt_2_1=1\nshape_2_1_1=own\nSize_2_1=30,40\nRectCnt_2_1=1\nrect_2_1_1=5,6,7,8\n"
                       "componentmiss_2_1=own-miss\n";
    auto result = LoadEntityModelSetFromText(info, alarm, skin);
    ASSERT_TRUE(result.diagnostics.empty()) << result.diagnostics.front();
    const CEntityModelSet& set = *result.models;
    EXPECT_EQ(set.GetMaxEntityLevel(3), 7U);
    EXPECT_EQ(set.GetOfflineAlarm(), 4U);
    ASSERT_NE(set.GetBuiltinAlarm(kEntityAlarmMissing), nullptr);
    EXPECT_EQ(set.GetBuiltinAlarm(kEntityAlarmMissing)->name, "Gone");
    ASSERT_EQ(set.GetImages().size(), 1U);
    EXPECT_EQ(set.GetImages()[0].file, "a.bmp");

    ASSERT_EQ(set.GetTypeCount(), 2);
    const CEntityType& shelf = *set.FindModel(5);
    EXPECT_EQ(shelf.GetName(), "Shelf");
    EXPECT_EQ(shelf.GetLevel(), 2);
    EXPECT_EQ(shelf.GetNote(), "first"); // the first of keys that differ only in case
    ASSERT_EQ(shelf.GetChildCount(), 2);
    EXPECT_STREQ(shelf.GetChildName(1), "b");
    ASSERT_NE(set.GetAlarmDef(5, 3), nullptr);
    EXPECT_EQ(set.GetAlarmDef(5, 3)->name, "Hot");
    EXPECT_EQ(set.FindModel(6)->GetStateIcon(1), 2U);
    EXPECT_EQ(set.FindModel(6)->GetIcon(), 9U);

    EXPECT_EQ(*shelf.GetTemplateSize(0, 0), (CTemplateSize{10, 20}));
    EXPECT_EQ(shelf.GetTemplateFit(0, 0), kTemplateFitY);
    EXPECT_EQ(shelf.GetTemplateRect(0, 0, 0)->coords, (std::array<std::string, 4>{"1", "2", "3", "4"}));
    EXPECT_EQ(*shelf.GetTemplateShape(0, 0, kTemplateShapeMiss), "sys-miss");
    EXPECT_EQ(*shelf.GetTemplateShape(2, 1, 0), "own");
    EXPECT_EQ(*shelf.GetTemplateSize(2, 1), (CTemplateSize{30, 40}));
    EXPECT_EQ(shelf.GetTemplateRect(2, 1, 0)->coords, (std::array<std::string, 4>{"5", "6", "7", "8"}));
    EXPECT_EQ(*shelf.GetTemplateShape(2, 1, kTemplateShapeMiss), "own-miss");
}

// A section header written again, in any case, starts a new occurrence: a model's keys are those of its first one,
// and a line that is no entry is reported under the header above it.
TEST(EntityModelFiles, EachHeaderOccurrenceHoldsTheEntriesUpToTheNextHeader)
{
    const char* info = "junk before any header\n"                          // 1
                       "[SYSTEM]\nMAXENTITYLEVEL3=7\n"                     // 2-3
                       "[MODEL5]\nNAME=First\nLEVEL=2\n"                   // 4-6
                       "[MODEL6]\nNAME=Card\nLEVEL=3\njunk in six\n"       // 7-10
                       "[model5]\nNOTE=from the repeat\nCHILDCNT=3\n"      // 11-13
                       "[System]\nMAXENTITYLEVEL3=8\nMAXENTITYLEVEL4=9\n"; // 14-16
    auto result = LoadEntityModelSetFromText(info, "", "");
    const std::vector<std::string> expected = {
        "EntInfo.dat:1: [] junk before any header: not a section header, key=value pair or comment",
        "EntInfo.dat:10: [MODEL6] junk in six: not a section header, key=value pair or comment",
        "EntInfo.dat:11: [MODEL5] model 5 repeated (first at line 4); model dropped"};
    EXPECT_EQ(result.diagnostics, expected);
    const CEntityModelSet& set = *result.models;
    const CEntityType& shelf = *set.FindModel(5);
    EXPECT_EQ(shelf.GetName(), "First");
    EXPECT_EQ(shelf.GetNote(), "");
    EXPECT_EQ(shelf.GetChildCount(), 0);
    EXPECT_EQ(set.FindModel(6)->GetName(), "Card");
    // [SYSTEM] written twice is one section, its first of repeated keys kept.
    EXPECT_EQ(set.GetMaxEntityLevel(3), 7U);
    EXPECT_EQ(set.GetMaxEntityLevel(4), 9U);
}

// ---- limits -------------------------------------------------------------------------------------------------

TEST(EntityModelLimits, AtMost255ModelsTheLowestIdsKept)
{
    std::string info;
    for (int id = 300; id >= 2; --id) // written in descending order: the table is sorted by id
        info += "[MODEL" + std::to_string(id) + "]\nNAME=M" + std::to_string(id) + "\nLEVEL=4\n";
    auto result = LoadEntityModelSetFromText(info, "", "");
    const CEntityModelSet& set = *result.models;
    ASSERT_EQ(set.GetTypeCount(), 255);
    EXPECT_EQ(set.GetTypeAt(0)->GetId(), 2U);
    EXPECT_EQ(set.GetTypeAt(254)->GetId(), 256U);
    EXPECT_EQ(set.FindModel(257), nullptr);
    ASSERT_EQ(result.diagnostics.size(), 300U - 256U);
    EXPECT_NE(result.diagnostics.front().find("[MODEL300] more than 255 models; model dropped"), std::string::npos)
        << result.diagnostics.front();
}

TEST(EntityModelLimits, LongValuesAreReadWholeUpTo4095Characters)
{
    // 99 positions of "2147483647," are longer than the 511 characters of a configuration value.
    std::string types;
    for (int i = 0; i < 98; ++i)
        types += "2147483647,";
    types += "42";
    const std::string note(5000, 'n');
    const std::string info =
        "[SYSTEM]\nMAXENTITYLEVEL4=99\n[MODEL5]\nNAME=Card\nLEVEL=3\nCHILDCNT=99\nCHILDTYPELIST=" + types +
        "\nNOTE=" + note + "\n[MODEL42]\nNAME=Port\nLEVEL=4\n";
    auto result = LoadEntityModelSetFromText(info, "", "");
    const CEntityType& card = *result.models->FindModel(5);
    EXPECT_EQ(card.GetChildFixedType(97), kEntityTypeUnknown);
    EXPECT_EQ(card.GetChildFixedType(98), 42U);
    EXPECT_EQ(card.GetNote(), note.substr(0, CEntityType::kMaxNameLength));
    const std::vector<std::string> expected = {"EntInfo.dat:8: [MODEL5] NOTE: value cut to 4095 characters",
                                               "EntInfo.dat:8: [MODEL5] NOTE: cut to 63 characters"};
    EXPECT_EQ(result.diagnostics, expected);
}

TEST(EntityModelLimits, ChildPositionsBeyondTheLevelMaximumAreReported)
{
    auto result = LoadEntityModelSetFromText(
        "[SYSTEM]\nMAXENTITYLEVEL3=4\n[MODEL5]\nNAME=Shelf\nLEVEL=2\nCHILDCNT=6\n[MODEL6]\nNAME=Port\nLEVEL=5\n"
        "CHILDCNT=1\n",
        "", "");
    const std::vector<std::string> expected = {
        "EntInfo.dat:6: [MODEL5] CHILDCNT: positions above 4 cannot be addressed at level 3",
        "EntInfo.dat:10: [MODEL6] CHILDCNT: positions above 0 cannot be addressed at level 6"};
    EXPECT_EQ(result.diagnostics, expected);
    EXPECT_EQ(result.models->FindModel(5)->GetChildCount(), 6); // kept
}

TEST(EntityModelLimits, NeModelDefaultsAndReferences)
{
    auto result = LoadEntityModelSetFromText("[MODEL7]\nNAME=NE\nLEVEL=1\n[MODEL8]\nNAME=Card\nLEVEL=3\n"
                                             "[MODEL9]\nNAME=Owned\nLEVEL=3\nNEMODEL=7\n"
                                             "[MODEL10]\nNAME=Any\nLEVEL=3\nNEMODEL=1\n",
                                             "", "");
    ASSERT_TRUE(result.diagnostics.empty());
    const CEntityModelSet& set = *result.models;
    EXPECT_EQ(set.FindModel(7)->GetNeModelId(), 7U);
    EXPECT_EQ(set.FindModel(8)->GetNeModelId(), kEntityTypeUnknown);
    EXPECT_EQ(set.FindModel(9)->GetNeModelId(), 7U);
    EXPECT_EQ(set.FindModel(10)->GetNeModelId(), 1U);
    EXPECT_TRUE(NeModelMatchesAnyNe(1));
    EXPECT_TRUE(NeModelMatchesAnyNe(kEntityTypeUnknown));
    EXPECT_FALSE(NeModelMatchesAnyNe(7));
    // Without ICONLIST, an NE model shows the NE image and the others none.
    EXPECT_EQ(set.FindModel(7)->GetStateIcon(3), 27U);
    EXPECT_EQ(set.FindModel(8)->GetStateIcon(3), 0U);
    EXPECT_EQ(set.FindModel(7)->GetDisplayName(), "NE");
}

} // namespace
