#include "core/util/compact_text.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>

namespace {

using namespace std::string_literals;

TEST(CompactText, KeepsEveryTextAsSet)
{
    const std::string texts[] = {"", "a", "admin", std::string(90, 'P'), "nul\0inside"s, "\xff\xfe"};
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        CCompactText kept;
        kept = text;
        EXPECT_EQ(kept.View(), text);
        EXPECT_EQ(kept.empty(), text.empty());
        EXPECT_EQ(kept.ToString(), text);
        std::ostringstream printed;
        printed << kept;
        EXPECT_EQ(printed.str(), text);
    }
}

TEST(CompactText, CopiesAreIndependent)
{
    CCompactText first("operator12");
    CCompactText second(first);
    first = "ann";
    EXPECT_EQ(second, "operator12");
    EXPECT_EQ(first, "ann");
    second = first;
    first.clear();
    EXPECT_EQ(second, "ann");
    EXPECT_TRUE(first.empty());
    EXPECT_EQ(first, "");
}

TEST(CompactText, SetFromItselfOrItsOwnView)
{
    CCompactText text("admin");
    const CCompactText& same = text;
    text = same;
    EXPECT_EQ(text, "admin");
    text = text.View().substr(1, 3);
    EXPECT_EQ(text, "dmi");
    text = std::string();
    EXPECT_TRUE(text.empty());
}

TEST(CompactText, MovedTextLeavesItsSourceEmpty)
{
    CCompactText source("person");
    CCompactText target(std::move(source));
    EXPECT_EQ(target, "person");
    EXPECT_TRUE(source.empty()); // NOLINT(bugprone-use-after-move): a moved text is empty
}

} // namespace
