// Save All as Templates: the steps that make the server's templates of a kind the list's profiles, and a run of them
// against a far end that refuses one request: no template the list holds is lost, whichever request fails.

#include "features/provisioning/profiles/profile_save_all.h"
#include "link/records/request_codes.h"
#include "link/records/xdsl_pm_threshold_profile_rec.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using Action = SaveAllStep::Action;

struct PlanCase {
    const char* what;
    std::vector<std::string> templates;
    std::vector<std::string> rows;
    size_t limit;
    size_t batch;
    std::vector<SaveAllStep> steps;
};

std::vector<std::string> Names(const char* prefix, size_t count)
{
    std::vector<std::string> names;
    for (size_t i = 0; i < count; ++i)
        names.push_back(prefix + std::to_string(i));
    return names;
}

std::vector<size_t> Range(size_t first, size_t count)
{
    std::vector<size_t> items;
    for (size_t i = first; i < first + count; ++i)
        items.push_back(i);
    return items;
}

TEST(ProfileSaveAllTest, TheStepsKeepTheTemplatesUntilTheRowsAreIn)
{
    const PlanCase cases[] = {
        {"45 new rows in batches of 20",
         {},
         Names("p", 45),
         60,
         20,
         {{Action::kAdd, Range(0, 20)}, {Action::kAdd, Range(20, 20)}, {Action::kAdd, Range(40, 5)}}},
        {"held names are rewritten, new ones added, the others dropped last",
         {"a", "b", "c"},
         {"b", "d", "a"},
         60,
         5,
         {{Action::kModify, {0, 2}}, {Action::kAdd, {1}}, {Action::kDrop, {2}}}},
        {"a name given twice is saved once", {}, {"a", "a", "b"}, 60, 5, {{Action::kAdd, {0, 2}}}},
        {"an empty list drops every template", {"a", "b"}, {}, 60, 5, {{Action::kDrop, {0}}, {Action::kDrop, {1}}}},
        {"a full table makes room first, with only as many drops as the adds need",
         {"a", "b", "c", "d"},
         {"a", "x", "y"},
         5,
         5,
         {{Action::kModify, {0}},
          {Action::kDrop, {1}},
          {Action::kAdd, {1, 2}},
          {Action::kDrop, {2}},
          {Action::kDrop, {3}}}},
    };
    for (const PlanCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(PlanSaveAll(c.templates, c.rows, c.limit, c.batch), c.steps);
    }
}

// The server's templates of a kind, which refuses the change it is told to refuse.
class CTemplateStore {
public:
    explicit CTemplateStore(std::vector<std::string> names)
    {
        for (const std::string& name : names)
            templates_[name] = Profile(name, 1);
    }
    static XdslPmThresholdProfileRec Profile(const std::string& name, uint16_t es)
    {
        XdslPmThresholdProfileRec rec;
        rec.name = name;
        rec.coEs15Min = es;
        rec.status = 1;
        return rec;
    }
    void RefuseChange(int n) { refuse_ = n; }
    const std::map<std::string, XdslPmThresholdProfileRec>& Templates() const { return templates_; }

    EmsChannel Channel()
    {
        EmsChannel channel;
        channel.request = [this](EmsMsg& request, EmsMsg** reply, uint32_t, int32_t, bool) {
            std::vector<XdslPmThresholdProfileRec> recs;
            if (request.operation == kEmsOpQuery) {
                for (const auto& [name, rec] : templates_)
                    recs.push_back(rec);
                return Reply(request, recs, reply);
            }
            if (++changes_ == refuse_)
                return static_cast<int>(kDrvTimeout);
            DecodeRecords(static_cast<const uint8_t*>(request.records), static_cast<size_t>(request.count),
                          request.recordSize, &recs);
            for (const XdslPmThresholdProfileRec& rec : recs) {
                if (request.requestCode == kReqPmThresholdProfileTemplateDelete)
                    templates_.erase(rec.name);
                else
                    templates_[rec.name] = rec;
            }
            return Reply(request, recs, reply);
        };
        return channel;
    }

private:
    int Reply(const EmsMsg& request, const std::vector<XdslPmThresholdProfileRec>& recs, EmsMsg** reply)
    {
        bytes_ = EncodeRecords(recs);
        reply_ = EmsMsg{};
        reply_.operation = kEmsOpReply;
        reply_.requestCode = request.requestCode;
        reply_.count = static_cast<int32_t>(recs.size());
        reply_.recordSize = kXdslPmThresholdProfileRecSize;
        reply_.records = bytes_.data();
        *reply = &reply_;
        return kDrvOk;
    }

    std::map<std::string, XdslPmThresholdProfileRec> templates_;
    int refuse_ = 0;
    int changes_ = 0;
    std::vector<uint8_t> bytes_;
    EmsMsg reply_;
};

TEST(ProfileSaveAllTest, ARefusedRequestLosesNoTemplateTheListHolds)
{
    const ProfileKind& kind = GetProfileKind(ProfileKindId::kXdslPmThreshold);
    // The list has the two templates, changed, and two new profiles; the server has one the list lacks.
    std::vector<XdslPmThresholdProfileRec> rows = {CTemplateStore::Profile("a", 5), CTemplateStore::Profile("b", 6),
                                                   CTemplateStore::Profile("c", 7), CTemplateStore::Profile("d", 8)};
    for (int refused = 1; refused <= 3; ++refused) {
        SCOPED_TRACE("request " + std::to_string(refused) + " refused");
        CTemplateStore server({"a", "b", "old"});
        server.RefuseChange(refused);
        EXPECT_FALSE(SaveProfilesAsTemplates(
            kReqPmThresholdProfileTemplate, rows, kind, [](const XdslPmThresholdProfileRec& rec) { return rec.name; },
            CRecordRequests(server.Channel())));
        for (const char* held : {"a", "b", "old"})
            EXPECT_TRUE(server.Templates().contains(held)) << held;
    }
    CTemplateStore server({"a", "b", "old"});
    EXPECT_TRUE(SaveProfilesAsTemplates(
        kReqPmThresholdProfileTemplate, rows, kind, [](const XdslPmThresholdProfileRec& rec) { return rec.name; },
        CRecordRequests(server.Channel())));
    std::vector<XdslPmThresholdProfileRec> saved;
    for (const auto& [name, rec] : server.Templates())
        saved.push_back(rec);
    EXPECT_EQ(saved, rows) << "the templates are the list's profiles, as the list kept them";
}

} // namespace
