// The settings the alarm definition dialogs work with: what the NE or the server answered, and what was written since,
// stand over the definition files; Save All sends the module and port definitions of one NE model with them; Download
// All prepares one write per NE model, however many NE models the definition files have.

#include "features/fault/alarm_defs/alarm_def_settings.h"

#include "core/entity/entity_model_loader.h"
#include "core/entity/entity_model_set.h"
#include "link/records/request_codes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr uint32_t kNeModel = 100;
constexpr uint32_t kCard = 300;
constexpr uint32_t kPort = 400;
constexpr uint32_t kOtherCard = 600; // a module of the second NE model

// NE models 100 and 101..(100 + extraNeModels) with a shelf, a card and a port of model 100, a card of any NE model
// and a card of model 101.
std::string ModelText(int extraNeModels)
{
    std::string info = "[SYSTEM]\nMAXENTITYLEVEL1=1\nMAXENTITYLEVEL2=9\nMAXENTITYLEVEL3=99\nMAXENTITYLEVEL4=99\n"
                       "MAXENTITYLEVEL5=0\n[MODEL100]\nNAME=Box\nLEVEL=1\n";
    for (int i = 1; i <= extraNeModels; ++i)
        info += "[MODEL" + std::to_string(kNeModel + static_cast<uint32_t>(i)) + "]\nNAME=Box " + std::to_string(i) +
                "\nLEVEL=1\n";
    info += "[MODEL200]\nNAME=Shelf\nLEVEL=2\nNEMODEL=100\n[MODEL300]\nNAME=Card\nLEVEL=3\nNEMODEL=100\n"
            "[MODEL400]\nNAME=Port\nLEVEL=4\nNEMODEL=100\n[MODEL500]\nNAME=Shared\nLEVEL=3\n"
            "[MODEL600]\nNAME=Other\nLEVEL=3\nNEMODEL=101\n";
    return info;
}

constexpr char kAlarmText[] = "[MODEL200]\nALARM0=Shelf Down,1,0,1,0,Shelf\n"
                              "[MODEL300]\nALARM0=Card Out,2,0,1,0,Card\nALARM3=Card Hot,3,0,1,1,Hot\n"
                              "[MODEL400]\nALARM1=LOS,4,0,0,0,Line\n"
                              "[MODEL500]\nALARM0=Shared Out,2,0,1,0,Shared\n"
                              "[MODEL600]\nALARM0=Other Out,2,0,1,0,Other\n";

class AlarmDefSettingsTest : public ::testing::Test {
protected:
    void Load(int extraNeModels)
    {
        EntityModelLoadResult result = LoadEntityModelSetFromText(ModelText(extraNeModels), kAlarmText, "");
        ReplaceEntityModels(std::move(result.models));
    }
    ~AlarmDefSettingsTest() override { ReplaceEntityModels(nullptr); }
};

TEST_F(AlarmDefSettingsTest, AnsweredAndWrittenSettingsStandOverTheDefinitionFiles)
{
    Load(1);
    CAlarmDefSettings settings;
    EXPECT_EQ(settings.Of(kCard, 3), (AlarmDefSetting{3, 1, 1})) << "as the definition file gives it";
    AlarmDefRec answered;
    answered.modelId = kCard;
    answered.alarmIndex = 3;
    answered.severity = 1;
    answered.reporting = 0;
    answered.suppressionMask = 0x5;
    settings.Take({answered});
    EXPECT_EQ(settings.Of(kCard, 3), (AlarmDefSetting{1, 0, 0x5}));
    settings.Set(kCard, 3, {2, 1, 0});
    EXPECT_EQ(settings.Of(kCard, 3), (AlarmDefSetting{2, 1, 0}));
    EXPECT_EQ(settings.Of(kCard, 0), (AlarmDefSetting{2, 1, 0})) << "another alarm keeps the file's";
    EXPECT_EQ(settings.Of(kCard, 7), AlarmDefSetting{}) << "undefined";
}

TEST_F(AlarmDefSettingsTest, SaveAllSendsTheNeModelsModulesAndPortsWithTheirSettings)
{
    Load(1);
    CAlarmDefSettings settings;
    settings.Set(kCard, 3, {2, 0, 0x1});
    const std::vector<AlarmDefRec> records = NeModelAlarmRecords(kNeModel, settings);
    ASSERT_EQ(records.size(), 3u) << "the card's two and the port's one; no shelf's, none of another NE model";
    EXPECT_EQ(records[0].modelId, kCard);
    EXPECT_EQ(records[0].alarmIndex, 0);
    EXPECT_EQ(records[1].modelId, kCard);
    EXPECT_EQ(records[1].alarmIndex, 3);
    EXPECT_EQ(records[1].severity, 2u) << "what was written, not the file's";
    EXPECT_EQ(records[1].reporting, 0u);
    EXPECT_EQ(records[1].suppressionMask, 0x1u);
    EXPECT_EQ(records[1].neModelId, kNeModel);
    EXPECT_EQ(records[2].modelId, kPort);
    EXPECT_EQ(records[2].reporting, 0u);
    for (uint32_t none : {1u, 0x7FFFFFFFu})
        EXPECT_TRUE(NeModelAlarmRecords(none, settings).empty()) << "<ALL> or no NE model: nothing to save";
    EXPECT_EQ(NeModelAlarmRecords(kNeModel + 1, settings).size(), 1u);
}

TEST_F(AlarmDefSettingsTest, DownloadPreparesOneWritePerNeModelHoweverManyThereAre)
{
    // More NE models than the sixteen a fixed table of requests would hold.
    Load(19);
    std::vector<uint32_t> neModels;
    for (uint32_t id = kNeModel; id <= kNeModel + 19; ++id)
        neModels.push_back(id);
    const TemplateDownload download = AlarmDefinitionDownload(neModels, CAlarmDefSettings(), "Alarm Definition");
    EXPECT_EQ(download.title, "Alarm Definition");
    EXPECT_FALSE(download.singleSlot);
    ASSERT_EQ(download.requests.size(), 20u);
    for (size_t i = 0; i < download.requests.size(); ++i) {
        const TemplateDownloadSlot& slot = download.requests[i];
        EXPECT_EQ(slot.neModelKey, neModels[i]);
        EXPECT_EQ(slot.requestCode, static_cast<uint16_t>(kReqAlarmDef));
        EXPECT_EQ(slot.recordSize, kAlarmDefRecSize);
        EXPECT_EQ(slot.records.size(), slot.count * kAlarmDefRecSize);
    }
    EXPECT_EQ(download.requests[0].count, 3u);
    EXPECT_EQ(download.requests[1].count, 1u);
    EXPECT_EQ(download.requests[19].count, 0u);
    AlarmDefRec first;
    ASSERT_TRUE(DecodeRecord(download.requests[1].records.data(), kAlarmDefRecSize, &first));
    EXPECT_EQ(first.modelId, kOtherCard);
}

} // namespace
