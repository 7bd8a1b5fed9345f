#include "features/provisioning/link_agg/lacp_state_letters.h"

std::string LacpStateLetters(uint8_t state)
{
    static constexpr char kLetters[] = "ATGSCDFE";
    std::string text;
    for (int bit = 0; bit < 8; ++bit) {
        if ((state & (1u << bit)) == 0)
            continue;
        if (!text.empty())
            text += ',';
        text += kLetters[bit];
    }
    return text;
}
