// The types that may sit below a shelf of an NE model: its own model's, and those of no NE model (1 or 0x7FFFFFFF, or
// none given), which serve every NE model whose positions take them; never another NE model's.

#include "core/entity/entity_model_loader.h"
#include "core/entity/entity_model_set.h"
#include "core/entity/possible_child_types.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// Two NE models (2 and 4), each with a shelf whose one position takes class 1; cards of class 1 of NE model 2, of NE
// model 4, of no NE model given, of 1 and of 0x7FFFFFFF, and one of NE model 2 in class 2, which no position takes.
constexpr char kInfo[] = "[SYSTEM]\nMAXENTITYLEVEL1=1\nMAXENTITYLEVEL2=2\nMAXENTITYLEVEL3=26\nMAXENTITYLEVEL4=48\n"
                         "MAXENTITYLEVEL5=0\n"
                         "[MODEL2]\nNAME=Small\nLEVEL=1\nCHILDCNT=1\nCHILDTYPELIST=10\n"
                         "[MODEL4]\nNAME=Big\nLEVEL=1\nCHILDCNT=1\nCHILDTYPELIST=11\n"
                         "[MODEL10]\nNAME=Small Shelf\nLEVEL=2\nNEMODEL=2\nCHILDCNT=1\nCHILDTYPELIST=2147483647\n"
                         "SUBPROVCLASS=1\n"
                         "[MODEL11]\nNAME=Big Shelf\nLEVEL=2\nNEMODEL=4\nCHILDCNT=1\nCHILDTYPELIST=2147483647\n"
                         "SUBPROVCLASS=1\n"
                         "[MODEL30]\nNAME=Small Card\nLEVEL=3\nNEMODEL=2\nPROVCLASS=1\n"
                         "[MODEL31]\nNAME=Big Card\nLEVEL=3\nNEMODEL=4\nPROVCLASS=1\n"
                         "[MODEL32]\nNAME=Card Of None Given\nLEVEL=3\nPROVCLASS=1\n"
                         "[MODEL33]\nNAME=Card Of Any (1)\nLEVEL=3\nNEMODEL=1\nPROVCLASS=1\n"
                         "[MODEL34]\nNAME=Card Of Any\nLEVEL=3\nNEMODEL=2147483647\nPROVCLASS=1\n"
                         "[MODEL35]\nNAME=Small Card Of Class 2\nLEVEL=3\nNEMODEL=2\nPROVCLASS=2\n";

class PossibleChildTypesTest : public ::testing::Test {
protected:
    PossibleChildTypesTest()
    {
        EntityModelLoadResult result = LoadEntityModelSetFromText(kInfo, "", "");
        ReplaceEntityModels(std::move(result.models));
    }
    ~PossibleChildTypesTest() override { ReplaceEntityModels(nullptr); }

    static std::vector<uint32_t> Below(uint32_t shelf, uint32_t neModel)
    {
        std::vector<uint32_t> ids;
        for (const CEntityType* type : PossibleChildTypes(*FindEntityModel(shelf), neModel))
            ids.push_back(type->GetId());
        return ids;
    }
};

TEST_F(PossibleChildTypesTest, AShelfTakesItsOwnNeModelsCardsAndThoseOfNoNeModel)
{
    ASSERT_NE(FindEntityModel(10), nullptr);
    ASSERT_NE(FindEntityModel(11), nullptr);
    EXPECT_EQ(Below(10, 2), (std::vector<uint32_t>{30, 32, 33, 34}));
    EXPECT_EQ(Below(11, 4), (std::vector<uint32_t>{31, 32, 33, 34}));
}

} // namespace
