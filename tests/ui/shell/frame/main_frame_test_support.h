#pragma once
// Shared pieces of the main frame tests: a host that records what the frame asks of the application and the link, a
// working directory of its own with a Tarvik.ini, a small entity model, and NE records in the program's NE table.

#include "tarvik_test_paths.h"
#include "tests/core/temp_file_test.h"
#include "tests/platform/qt_test_app.h"

#include "core/config/app_settings.h"
#include "core/entity/entity_model_loader.h"
#include "core/entity/entity_model_set.h"
#include "core/tables/app_data.h"
#include "core/tables/ne_table.h"
#include "link/ems_msg.h"
#include "link/server_message_dispatcher.h"
#include "ui/framework/messages/string_table.h"
#include "ui/shell/frame/frame_host.h"
#include "ui/shell/frame/frame_resources.h"

#include <cstring>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace frame_test {

inline const std::string kResources = TARVIK_RESOURCES_DIR;

// A request the frame sent without waiting.
struct SentRequest {
    uint8_t operation = 0;
    uint16_t requestCode = 0;
    uint32_t neId = 0;
    std::vector<uint8_t> record;
};

class FakeFrameHost : public IFrameHost {
public:
    bool IsDirectMode() const override { return directMode; }
    bool IsExitRequested() const override { return exitRequested; }
    void OnExit() override { ++exitQuestions; }
    void ForcedLogout() override { ++forcedLogouts; }
    void LoadLiveConfiguration() override { ++liveConfigReads; }
    void SetEntityMenuId(int menuId) override { entityMenuId = menuId; }
    bool OnAppCommand(int) override { return false; }
    CPduLogDlg* PduLogWindow() override { return pduLog; }
    bool IsLinkConnected() const override { return connected; }
    bool IsLinkInTransaction() const override { return inTransaction; }
    std::string LinkAddressText() const override { return address; }
    int SendEmsMsgNoWait(EmsMsg& request) override
    {
        SentRequest sent;
        sent.operation = request.operation;
        sent.requestCode = request.requestCode;
        sent.neId = request.neId;
        const auto* bytes = static_cast<const uint8_t*>(request.records);
        if (bytes != nullptr)
            sent.record.assign(bytes, bytes + request.recordSize);
        sentRequests.push_back(sent);
        return 0;
    }

    bool directMode = false;
    bool exitRequested = false;
    int exitQuestions = 0;
    int forcedLogouts = 0;
    int liveConfigReads = 0;
    int entityMenuId = 0;
    CPduLogDlg* pduLog = nullptr;
    bool connected = false;
    bool inTransaction = false;
    std::string address = "10.1.2.3";
    std::vector<SentRequest> sentRequests;
};

using ::ReadText;
using ::WriteText;

// A working directory of its own holding Tarvik.ini, for the life of the object; the program's state is reset.
class ScopedWorkDir {
public:
    explicit ScopedWorkDir(const std::string& iniText = "")
    {
        WriteText(Path("Tarvik.ini"), iniText);
        AppSettings() = CAppSettings{};
        AppData().Reset();
        ClearServerMessageQueue();
        SetFrameResourceRoot(kResources + "/..");
        LoadAppStrings(kResources + "/strings/strings.tsv");
    }
    ~ScopedWorkDir()
    {
        AppSettings() = CAppSettings{};
        AppData().Reset();
        SetFrameResourceRoot({});
    }
    ScopedWorkDir(const ScopedWorkDir&) = delete;
    ScopedWorkDir& operator=(const ScopedWorkDir&) = delete;

    std::string Path(const std::string& name) const { return (dir_.Path() / name).string(); }
    std::string Ini() const { return ReadText(Path("Tarvik.ini")); }

private:
    CTempDir dir_{true};
};

// NE model 100 ("Box", icons 100..110) with one shelf position of model 200 ("Box Shelf", icons 200..210) and a
// second position that is absent; shelf model 200 has one slot position of model 300 ("Line Card").
inline constexpr char kModelText[] = "[SYSTEM]\n"
                                     "MAXENTITYLEVEL1=1\nMAXENTITYLEVEL2=9\nMAXENTITYLEVEL3=99\nMAXENTITYLEVEL4=99\n"
                                     "MAXENTITYLEVEL5=0\n"
                                     "[MODEL100]\nNAME=Box\nNOTE=test\nLEVEL=1\n"
                                     "ICONLIST=100,101,102,103,104,105,106,107,108,109,110\n"
                                     "CHILDCNT=2\nCHILDTYPELIST=200,2000000000\nCHILDNAMELIST=Main,Spare\n"
                                     "[MODEL200]\nNAME=Box Shelf\nLEVEL=2\nNEMODEL=100\n"
                                     "ICONLIST=200,201,202,203,204,205,206,207,208,209,210\n"
                                     "CHILDCNT=1\nCHILDTYPELIST=300\n"
                                     "[MODEL300]\nNAME=Line Card\nLEVEL=3\nNEMODEL=100\n"
                                     "ICONLIST=300,301,302,303,304,305,306,307,308,309,310\n"
                                     "CHILDCNT=2\nCHILDTYPELIST=400,400\n"
                                     "[MODEL400]\nNAME=Port\nLEVEL=4\nNEMODEL=100\nCHILDCNT=0\n";

class ScopedModels {
public:
    ScopedModels()
    {
        EntityModelLoadResult result = LoadEntityModelSetFromText(kModelText, "", "");
        ReplaceEntityModels(std::move(result.models));
    }
    ~ScopedModels() { ReplaceEntityModels(nullptr); }
    ScopedModels(const ScopedModels&) = delete;
    ScopedModels& operator=(const ScopedModels&) = delete;
};

struct NeSpec {
    uint32_t id = 1;
    std::string name = "NE-1";
    uint32_t model = 100;
    bool planned = false;
    bool connected = true;
    bool mismatch = false;
    uint32_t severity = 0; // of the NE's own node
    uint32_t location = 0;
};

// Adds the NE to the program's NE table, with its entity tree set up as asked.
inline CNeRecord* AddTestNe(const NeSpec& spec)
{
    CNeRecord record;
    record.neId = spec.id;
    record.name = spec.name;
    record.neModelId = spec.model;
    record.locationId = spec.location;
    record.address = {10, 0, 0, static_cast<uint8_t>(spec.id)};
    record.SetPlanned(spec.planned ? 1 : 0);
    CNeRecord* added = nullptr;
    if (AddNe(record, &added) != NeResult::kOk)
        return nullptr;
    if (added->root != nullptr) {
        added->root->connected = spec.connected;
        if (CEntityNode* shelf = added->root->GetChild(0)) {
            shelf->SetType(shelf->GetPlannedType(), kPlannedTypeSame);
            shelf->connected = spec.connected;
        }
        added->root->severity = spec.severity;
        if (spec.mismatch)
            added->root->SetType(spec.model + 1, spec.model);
    }
    return added;
}

// A change of the tables a case of a test makes, by its name.
struct TableChange {
    const char* name;
    std::function<void()> apply;
    bool rebuildsTheTree = false; // locations or accounts changed, or NEs added, removed or moved: not a rename
};

inline void PrintTo(const TableChange& change, std::ostream* out)
{
    *out << change.name;
}

inline std::string TableChangeName(const ::testing::TestParamInfo<TableChange>& info)
{
    return info.param.name;
}

// A change of an NE's record as the dispatcher makes it: the record's change counter raised, the NE list marked.
inline void ChangeNe(uint32_t id, const std::function<void(CNeRecord&)>& change)
{
    CNeRecord* ne = FindNeById(id);
    if (ne == nullptr) {
        ADD_FAILURE() << "no NE " << id;
        return;
    }
    change(*ne);
    ++ne->changeCounter;
    AppData().MarkNeListChanged();
}

} // namespace frame_test
