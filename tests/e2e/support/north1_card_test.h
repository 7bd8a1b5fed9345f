#pragma once
// The fixture of the tests that work on North-1's first line card against the simulated server: North-1 chosen in the
// tree as in CNorth1Test, and its card in slot 1 the main frame's current entity.

#include "tests/e2e/support/north1_test.h"

#include "ui/shell/frame/main_frame.h"

namespace e2e {

class CNorth1CardTest : public CNorth1Test {
protected:
    void SetUp() override
    {
        CNorth1Test::SetUp();
        if (HasFatalFailure())
            return;
        const CEntityIndex card = CEntityIndex::FromLevels(1, 1, 1);
        program_.Frame().SetCurrentEntity(kNorth1, &card);
    }
};

} // namespace e2e
