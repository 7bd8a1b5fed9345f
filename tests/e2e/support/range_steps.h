#pragma once
// A table of the ranges a dialog's edits take: each range is tried at both its ends and one past each, the ends taken
// and the values past them refused.
//
//     const e2e::RangeCase cases[] = {{"MAC aging, seconds", 10, 1000, SomeAttempt(...)}, ...};
//     e2e::TryEachEnd(program, cases);

#include "tests/e2e/support/e2e_harness.h"

#include <gtest/gtest.h>

#include <QString>

#include <functional>
#include <string>
#include <utility>

namespace e2e {

// Opens the dialog, puts the value where the range applies and presses its button; true when the value was refused.
using Attempt = std::function<bool(CProgram&, const QString& value)>;

struct RangeCase {
    const char* name;
    long long minimum;
    long long maximum;
    Attempt attempt;
};

template <size_t N> void TryEachEnd(CProgram& program, const RangeCase (&cases)[N])
{
    for (const RangeCase& c : cases) {
        SCOPED_TRACE(c.name);
        for (const auto& [value, inRange] : {std::pair{c.minimum - 1, false}, std::pair{c.minimum, true},
                                             std::pair{c.maximum, true}, std::pair{c.maximum + 1, false}}) {
            EXPECT_EQ(c.attempt(program, QString::number(value)), !inRange) << value;
        }
    }
}

} // namespace e2e
