// The Location Indicator: coordinate texts, the NE and entity fields, the map fields, rewriting only on change, and
// closing that only hides it.

#include "tests/ui/shell/frame/main_frame_test_support.h"

#include "ui/shell/frame/coordinate_text.h"
#include "ui/shell/frame/location_indicator_dlg.h"

#include <QLabel>

#include <tuple>

#include <gtest/gtest.h>

using namespace frame_test;
using Dlg = CLocationIndicatorDlg;

namespace {

struct CoordinateRow {
    double value;
    bool decimal;
    const char* text;
};

TEST(CoordinateTextTest, DecimalAndSexagesimal)
{
    const std::vector<CoordinateRow> rows = {
        {24.5, true, "+ 24.5000"},         {0.0, true, "+  0.0000"},          {-0.3, true, "-  0.3000"},
        {-179.5, true, "-179.5000"},       {180.0, true, "+180.0000"},        {60.123456, true, "+ 60.1235"},
        {24.5, false, "+ 24.30'00\""},     {-33.8688, false, "- 33.52'08\""}, {0.000139, false, "+  0.00'01\""},
        {59.99999, false, "+ 60.00'00\""}, {-90.0, false, "- 90.00'00\""},
    };
    for (const CoordinateRow& row : rows)
        EXPECT_EQ(FormatCoordinate(row.value, row.decimal), row.text) << row.value;
    EXPECT_EQ(FormatRatio(100), "100%");
    EXPECT_EQ(FormatRatio(-5), "-5%");
}

class LocationIndicatorTest : public ::testing::Test {
protected:
    LocationIndicatorTest()
    {
        dlg_.Create();
        AddTestNe({.id = 7, .name = "Riverside-Exchange-North-2"});
    }

    QString Text(int id) const { return dlg_.GetDlgItemAs<QLabel>(id)->text(); }
    bool Visible(int id) const { return dlg_.IsControlVisible(id); }

    ScopedModels models_;
    ScopedWorkDir work_;
    Dlg dlg_;
};

TEST_F(LocationIndicatorTest, NeNameAndModel)
{
    dlg_.SetNe(7);
    EXPECT_EQ(Text(Dlg::kNeValueId), QStringLiteral("Riverside-Exchange-N")); // 20 characters
    EXPECT_EQ(dlg_.GetNeText(), "Riverside-Exchange-N");
    EXPECT_EQ(Text(Dlg::kModelValueId), QStringLiteral("Box (test)"));
    EXPECT_TRUE(Visible(Dlg::kShelfLabelId));
    EXPECT_TRUE(Visible(Dlg::kShelfValueId));

    dlg_.SetNe(99);
    EXPECT_EQ(Text(Dlg::kNeValueId), QString());
    EXPECT_EQ(Text(Dlg::kModelValueId), QString());
}

TEST_F(LocationIndicatorTest, EntityLabelsPerLevelAndTheDeepestModel)
{
    dlg_.SetNe(7);
    const CEntityIndex port = CEntityIndex::FromLevels(1, 1, 1, 2);
    dlg_.SetEntity(port);
    EXPECT_EQ(Text(Dlg::kShelfValueId), QStringLiteral("Main"));
    EXPECT_EQ(Text(Dlg::kSlotValueId), QStringLiteral("1"));
    EXPECT_EQ(Text(Dlg::kPortValueId), QStringLiteral("2"));
    EXPECT_EQ(dlg_.GetShelfText(), "Main");
    EXPECT_EQ(Text(Dlg::kModelValueId), QStringLiteral("Port"));

    const CEntityIndex slot = CEntityIndex::FromLevels(1, 1, 1);
    dlg_.SetEntity(slot);
    EXPECT_EQ(Text(Dlg::kPortValueId), QString());
    EXPECT_EQ(Text(Dlg::kModelValueId), QStringLiteral("Line Card"));

    // Another NE clears the entity fields.
    dlg_.SetNe(7);
    EXPECT_EQ(Text(Dlg::kShelfValueId), QString());
    EXPECT_EQ(dlg_.GetSlotText(), "");
}

TEST_F(LocationIndicatorTest, PositionShowsTheMapFieldsAndIgnoresOutOfRange)
{
    AppSettings().gradCoorSys = true;
    dlg_.SetPosition(24.5, -60.25, 150);
    EXPECT_EQ(Text(Dlg::kLongitudeValueId), QStringLiteral("+ 24.5000"));
    EXPECT_EQ(Text(Dlg::kLatitudeValueId), QStringLiteral("- 60.2500"));
    EXPECT_EQ(Text(Dlg::kRatioValueId), QStringLiteral("150%"));
    for (int id : {Dlg::kLongitudeLabelId, Dlg::kLatitudeLabelId, Dlg::kRatioLabelId, Dlg::kLongitudeValueId,
                   Dlg::kLatitudeValueId, Dlg::kRatioValueId})
        EXPECT_TRUE(Visible(id)) << id;
    for (int id : {Dlg::kShelfLabelId, Dlg::kSlotLabelId, Dlg::kPortLabelId, Dlg::kShelfValueId, Dlg::kSlotValueId,
                   Dlg::kPortValueId})
        EXPECT_FALSE(Visible(id)) << id;

    // Out of range: nothing changes, not even which fields are shown.
    dlg_.SetEntity(CEntityIndex::FromLevels(1));
    for (auto [longitude, latitude] : {std::pair{200.0, 0.0}, std::pair{-180.5, 0.0}, std::pair{0.0, 90.5}}) {
        dlg_.SetPosition(longitude, latitude, 10);
        EXPECT_TRUE(Visible(Dlg::kShelfValueId));
        EXPECT_EQ(Text(Dlg::kLongitudeValueId), QStringLiteral("+ 24.5000"));
        EXPECT_EQ(Text(Dlg::kRatioValueId), QStringLiteral("150%"));
    }

    AppSettings().gradCoorSys = false;
    dlg_.SetPosition(24.5, 60.25, 150);
    EXPECT_EQ(Text(Dlg::kLongitudeValueId), QStringLiteral("+ 24.30'00\""));
    EXPECT_EQ(Text(Dlg::kLatitudeValueId), QStringLiteral("+ 60.15'00\""));
}

// A position at either end of the longitude (-180..180) and latitude (-90..90) ranges is shown; one past is not.
TEST_F(LocationIndicatorTest, PositionsAtTheEndsOfTheRangesAreShownAndThosePastThemAreNot)
{
    const std::tuple<double, double, bool> rows[] = {{-180.0, -90.0, true}, {180.0, 90.0, true}, {-180.5, 0.0, false},
                                                     {180.5, 0.0, false},   {0.0, -90.5, false}, {0.0, 90.5, false}};
    for (const auto& [longitude, latitude, shown] : rows) {
        dlg_.SetEntity(CEntityIndex::FromLevels(1));
        dlg_.SetPosition(longitude, latitude, 100);
        EXPECT_EQ(Visible(Dlg::kLongitudeValueId), shown) << longitude << "," << latitude;
    }
}

TEST_F(LocationIndicatorTest, ControlsAreWrittenOnlyWhenTheirTextChanges)
{
    dlg_.SetPosition(10.0, 20.0, 100);
    // Something else writes into the fields; the same position again must leave them alone.
    for (int id : {Dlg::kLongitudeValueId, Dlg::kLatitudeValueId, Dlg::kRatioValueId})
        dlg_.GetDlgItemAs<QLabel>(id)->setText(QStringLiteral("x"));
    dlg_.SetPosition(10.0, 20.0, 100);
    EXPECT_EQ(Text(Dlg::kLongitudeValueId), QStringLiteral("x"));
    EXPECT_EQ(Text(Dlg::kRatioValueId), QStringLiteral("x"));
    dlg_.SetPosition(10.0, 20.0, 200);
    EXPECT_EQ(Text(Dlg::kLongitudeValueId), QStringLiteral("x"));
    EXPECT_EQ(Text(Dlg::kRatioValueId), QStringLiteral("200%"));

    dlg_.SetNe(7);
    dlg_.GetDlgItemAs<QLabel>(Dlg::kNeValueId)->setText(QStringLiteral("x"));
    dlg_.SetNe(7);
    EXPECT_EQ(Text(Dlg::kNeValueId), QStringLiteral("x"));
}

// That the panel never takes the current-dialog role is the frame's selection test.
TEST_F(LocationIndicatorTest, ClosingOnlyHidesThePanel)
{
    dlg_.show();
    EXPECT_FALSE(dlg_.GetOwnsMessageLine());
    EXPECT_TRUE(dlg_.HasMessageLine()) << "the line every dialog keeps at its bottom";
    dlg_.OnCancel();
    EXPECT_FALSE(dlg_.isVisible());
    EXPECT_TRUE(dlg_.IsCreated());
}

} // namespace
