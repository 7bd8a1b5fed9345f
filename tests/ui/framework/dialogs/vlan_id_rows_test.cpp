// The VLAN ids of a bit map as list rows: ascending, five to a row, the first and last ids of the map included.

#include "ui/framework/dialogs/vlan_id_rows.h"

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>

namespace {

std::array<uint8_t, 512> Map(std::initializer_list<int> vlans)
{
    std::array<uint8_t, 512> bits{};
    for (int vlan : vlans)
        bits[static_cast<size_t>(vlan / 8)] |= static_cast<uint8_t>(0x80 >> (vlan % 8));
    return bits;
}

struct Case {
    const char* name;
    std::array<uint8_t, 512> map;
    std::vector<std::array<int32_t, 5>> rows;
};

TEST(VlanIdRows, AscendingFiveToARow)
{
    const Case cases[] = {
        {"empty", Map({}), {}},
        {"the ends of the map", Map({4095, 0, 1}), {{0, 1, 4095, -1, -1}}},
        {"a sixth id starts a row", Map({7, 8, 9, 10, 11, 12}), {{7, 8, 9, 10, 11}, {12, -1, -1, -1, -1}}},
        {"five fill one row", Map({100, 200, 300, 400, 500}), {{100, 200, 300, 400, 500}}},
    };
    for (const Case& c : cases) {
        const std::vector<VlanIdRow> rows = VlanIdRows(c.map);
        ASSERT_EQ(rows.size(), c.rows.size()) << c.name;
        for (size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].number, i) << c.name;
            EXPECT_EQ(rows[i].vlans, c.rows[i]) << c.name << " row " << i;
        }
    }
}

TEST(VlanIdRows, AShortMapEndsWithItsLastByte)
{
    const std::array<uint8_t, 2> bits{0x00, 0x01};
    const std::vector<VlanIdRow> rows = VlanIdRows(bits);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].vlans[0], 15);
}

} // namespace
