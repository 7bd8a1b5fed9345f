#include "features/management/accounts/acl_letters.h"

#include <algorithm>

std::string AclLetterText(char letter)
{
    switch (letter) {
    case 'q':
        return "q";
    case 'm':
        return "q + m";
    case 'c':
        return "q + m + c";
    case 'd':
        return "q + m + c + d";
    case 'a':
        return "a";
    default:
        return {};
    }
}

AclBoxes AclBoxesOfText(const std::string& text)
{
    AclBoxes boxes{};
    if (text.find('a') != std::string::npos) {
        boxes.fill(true);
        return boxes;
    }
    constexpr char kLetters[] = {'q', 'm', 'c', 'd'};
    for (int box = kAclQuery; box <= kAclDelete; ++box) {
        if (text.find(kLetters[box]) != std::string::npos)
            std::fill(boxes.begin(), boxes.begin() + box + 1, true);
    }
    return boxes;
}

AclBoxes ClickAclBox(AclBoxes boxes, AclBox box, bool ticked)
{
    if (box == kAclAll) {
        boxes.fill(ticked);
        return boxes;
    }
    if (ticked)
        std::fill(boxes.begin(), boxes.begin() + box + 1, true);
    else
        std::fill(boxes.begin() + box, boxes.end(), false);
    return boxes;
}

char AclLetterOfBoxes(const AclBoxes& boxes)
{
    constexpr char kLetters[] = {'q', 'm', 'c', 'd', 'a'};
    for (int box = kAclAll; box >= kAclQuery; --box) {
        if (boxes[static_cast<size_t>(box)])
            return kLetters[box];
    }
    return '-';
}

UserRightsRecord AclSaveRecord(const std::array<std::string, 3>& loaded, const std::array<std::string, 3>& edited)
{
    UserRightsRecord record;
    for (size_t role = 0; role < loaded.size(); ++role) {
        std::string letters = loaded[role];
        const size_t edits = std::min<size_t>(edited[role].size(), kAclEditedItems);
        if (letters.size() < edits)
            letters.resize(edits, '-');
        letters.replace(0, edits, edited[role], 0, edits);
        record.rights[role] = letters.substr(0, kUserRightsSlotSize - 1);
    }
    return record;
}
