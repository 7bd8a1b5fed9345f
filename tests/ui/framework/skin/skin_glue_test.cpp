#include "tests/platform/qt_test_app.h"
#include "ui/framework/skin/skin_glue.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace {

class FakeSkin : public SkinControl {
public:
    void LoadSkin(const QString& path) override { loaded = path; }
    int ApplySkin(QWidget*) override { return ++applied; }
    int SkinObjectCount(QWidget* window) override { return window == skinned ? 1 : 0; }
    void DropSkin() override { ++dropped; }

    QString loaded;
    int applied = 0;
    int dropped = 0;
    QWidget* skinned = nullptr;
};

TEST(SkinGlue, WithoutASkinEveryAnswerIsNotSkinned)
{
    ASSERT_EQ(CurrentSkinControl(), nullptr);
    QWidget window;
    EXPECT_FALSE(IsSkinLoaded());
    EXPECT_EQ(ApplySkinToWindow(&window), 0);
    EXPECT_EQ(ApplySkinToWindow(nullptr), 0);
    EXPECT_FALSE(IsSkinnedWindow(&window));
    EXPECT_FALSE(IsSkinnedWindow(nullptr));
    LoadSkinFile(QStringLiteral("./Skin/Skin.dat")); // nothing to load into
    EXPECT_FALSE(IsSkinLoaded());
}

TEST(SkinGlue, AnAttachedControlGetsTheCalls)
{
    FakeSkin skin;
    QWidget window;
    QWidget other;
    skin.skinned = &window;
    SetSkinControl(&skin);
    EXPECT_TRUE(IsSkinLoaded());
    LoadSkinFile(QString());
    EXPECT_TRUE(skin.loaded.isEmpty()); // no path, no load
    LoadSkinFile(QStringLiteral("Skin/Skin.dat"));
    EXPECT_EQ(skin.loaded, QStringLiteral("Skin/Skin.dat"));
    EXPECT_EQ(ApplySkinToWindow(&window), 1);
    EXPECT_TRUE(IsSkinnedWindow(&window));
    EXPECT_FALSE(IsSkinnedWindow(&other));
    EXPECT_FALSE(IsSkinnedWindow(nullptr));
    SetSkinControl(nullptr);
    EXPECT_FALSE(IsSkinLoaded());
}

} // namespace
