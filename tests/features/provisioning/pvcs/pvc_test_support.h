#pragma once
// The setting the PVC tests share: the program's strings, and one NE in the NE table (without an entity model, so
// that a port's location reads as its numbers: "1-1-2" for port 2 of slot 1).

#include "core/tables/app_data.h"
#include "tarvik_test_paths.h"
#include "ui/framework/messages/string_table.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace pvc_test {

inline constexpr uint32_t kNe = 7;
inline constexpr uint32_t kPort = 10102;
inline constexpr uint32_t kOtherPort = 10103;

class PvcTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadAppStrings(std::string(TARVIK_RESOURCES_DIR) + "/strings/strings.tsv");
        AppData().Reset();
        CNeRecord ne;
        ne.neId = kNe;
        ne.name = "north";
        ne.address = {10, 0, 0, 7};
        ASSERT_EQ(AppData().nes.AddNe(ne), NeResult::kOk);
    }
    void TearDown() override { AppData().Reset(); }
};

} // namespace pvc_test
