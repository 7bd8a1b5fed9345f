#pragma once
// The world of the performance dialogs' tests: the sample entity models and strings, and North-1 (NE 7), an IPD-12
// with an ADSL card in slot 1 and an SHDSL card in slot 2, connected and as planned.

#include "core/entity/entity_model_loader.h"
#include "core/entity/entity_model_set.h"
#include "core/tables/app_data.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_table.h"
#include "ui/framework/messages/string_table.h"

#include <gtest/gtest.h>

#include <string>

namespace perf_test {

inline constexpr uint32_t kNe = 7;
inline constexpr uint32_t kAdslPort = 10105;
inline constexpr uint32_t kShdslPort = 10203;

inline void AddNorth1()
{
    const std::string models = std::string(TARVIK_RESOURCES_DIR) + "/EntConf/";
    ReplaceEntityModels(
        LoadEntityModelSet(models + "EntInfo.dat", models + "EntAlm.dat", models + "EntSkin.dat").models);
    LoadAppStrings(std::string(TARVIK_RESOURCES_DIR) + "/strings/strings.tsv");
    AppData().Reset();
    AppData().role = 0;
    CNeRecord ne;
    ne.neId = kNe;
    ne.neModelId = 2;
    ne.name = "North-1";
    ne.address = {10, 0, 0, 7};
    CNeRecord* added = nullptr;
    ASSERT_EQ(AppData().nes.AddNe(ne, &added), NeResult::kOk);
    added->BuildEntityTree();
    added->root->SetTypeById(10100, 30, 30);
    added->root->SetTypeById(10200, 32, 32);
    added->root->SetStateBits(0);
}

} // namespace perf_test
