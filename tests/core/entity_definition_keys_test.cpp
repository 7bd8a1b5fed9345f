#include "core/entity/definition_keys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<CIniFile::Entry> Entries(std::initializer_list<const char*> keys)
{
    std::vector<CIniFile::Entry> entries;
    int line = 0;
    for (const char* key : keys)
        entries.push_back({key, "value of line " + std::to_string(++line), line});
    return entries;
}

TEST(DefinitionKeyIndex, FindsAKeyWhateverItsCaseTheFirstOfRepeatedKeys)
{
    const auto entries = Entries({"NAME", "Level", "childcnt", "name", "LEVEL", "SHAPE_2_1_3", "", "X"});
    const DefinitionKeyIndex index(entries);
    const struct {
        const char* key;
        int line; // 0: absent
    } rows[] = {{"NAME", 1},     {"name", 1},        {"Name", 1},      {"LEVEL", 2}, {"level", 2},
                {"CHILDCNT", 3}, {"shape_2_1_3", 6}, {"SHAPE_2_1", 0}, {"", 7},      {"x", 8},
                {"NAMES", 0},    {"NAM", 0},         {"Y", 0}};
    for (const auto& row : rows) {
        const CIniFile::Entry* e = index.Find(row.key);
        EXPECT_EQ(e ? e->line : 0, row.line) << row.key;
    }
    EXPECT_EQ(DefinitionKeyIndex().Find("NAME"), nullptr);
}

// Enough keys to fill many slots: each is found, and no absent name is.
TEST(DefinitionKeyIndex, ManyKeys)
{
    std::vector<CIniFile::Entry> entries;
    for (int k = 1; k <= 1000; ++k)
        entries.push_back({"IMAGE" + std::to_string(k), std::to_string(k), k});
    const DefinitionKeyIndex index(entries);
    for (int k = 1; k <= 1000; ++k) {
        const CIniFile::Entry* e = index.Find(DefinitionKeyName() << "image" << k);
        ASSERT_NE(e, nullptr) << k;
        EXPECT_EQ(e->line, k);
    }
    EXPECT_EQ(index.Find("IMAGE0"), nullptr);
    EXPECT_EQ(index.Find("IMAGE1001"), nullptr);
}

TEST(DefinitionKeyName, PartsAndNumbers)
{
    EXPECT_EQ(std::string_view(DefinitionKeyName() << "SHAPE"
                                                   << "_2_1"
                                                   << "_" << 12U),
              "SHAPE_2_1_12");
    EXPECT_EQ(std::string_view(DefinitionKeyName() << "ALARM" << 0), "ALARM0");
    EXPECT_EQ(std::string_view(DefinitionKeyName() << ""
                                                   << "RECT"
                                                   << ""),
              "RECT");
    EXPECT_EQ(std::string_view(DefinitionKeyName()), "");
}

// A name too long for the room never finds the key it would be cut to.
TEST(DefinitionKeyName, ANameTooLongFindsNothing)
{
    const std::string sixty(60, 'A');
    const auto entries = Entries({(sixty + "1234").c_str()}); // what "...12345" cut to 64 characters would be
    const DefinitionKeyIndex index(entries);
    ASSERT_NE(index.Find(DefinitionKeyName() << sixty << 1234), nullptr); // 64 characters fit
    EXPECT_EQ(index.Find(DefinitionKeyName() << sixty << 12345), nullptr);
    EXPECT_EQ(index.Find(DefinitionKeyName() << sixty << 12345 << "more"), nullptr);
}

} // namespace
