#include "ui/framework/dialogs/entity_combos.h"

#include "core/tables/entity_enumeration.h"
#include "core/tables/ne_record.h"

#include <QComboBox>

namespace {

void Fill(QComboBox* combo, const char* firstItemText, const EntityChoices& choices)
{
    if (combo == nullptr)
        return;
    combo->clear();
    if (firstItemText != nullptr)
        combo->addItem(QString::fromUtf8(firstItemText), 0U);
    for (const EntityChoice& choice : choices.choices)
        combo->addItem(QString::fromStdString(choice.name), choice.number);
    int selected = combo->findData(choices.requested);
    if (selected < 0)
        selected = 0;
    combo->setCurrentIndex(combo->count() > 0 ? selected : -1);
}

} // namespace

void FillShelfCombo(QComboBox* combo, const CNeRecord* ne, const CEntityIndex* current, int kind,
                    const char* firstItemText, int selectFirst, int exact)
{
    Fill(combo, firstItemText, EnumerateShelfChoices(ne, current, kind, selectFirst, exact));
}

void FillSlotCombo(QComboBox* combo, const CNeRecord* ne, const CEntityIndex* current, int kind,
                   const char* firstItemText, int selectFirst, int exact)
{
    Fill(combo, firstItemText, EnumerateSlotChoices(ne, current, kind, selectFirst, exact));
}

void FillPortCombo(QComboBox* combo, const CNeRecord* ne, const CEntityIndex* current, int kind,
                   const char* firstItemText, int selectFirst, int exact)
{
    Fill(combo, firstItemText, EnumeratePortChoices(ne, current, kind, selectFirst, exact));
}

void InitShelfCombo(QComboBox* combo, const CNeRecord* ne, const CEntityIndex* current, int kind, int exact,
                    const char* firstItemText)
{
    FillShelfCombo(combo, ne, current, kind, firstItemText, 0, exact);
}

void InitSlotCombo(QComboBox* combo, const CNeRecord* ne, const CEntityIndex* current, int kind, int exact,
                   const char* firstItemText)
{
    FillSlotCombo(combo, ne, current, kind, firstItemText, 0, exact);
}

void InitPortCombo(QComboBox* combo, const CNeRecord* ne, const CEntityIndex* current, int kind, int exact,
                   const char* firstItemText)
{
    FillPortCombo(combo, ne, current, kind, firstItemText, 0, exact);
}

void HoldShelfComboOfSingleShelfNe(QComboBox* combo, const CNeRecord* ne)
{
    if (combo == nullptr || (ne != nullptr && ne->usedChildCount >= 2))
        return;
    combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
    combo->setEnabled(false);
}

unsigned SelectedEntityNumber(const QComboBox* combo)
{
    if (combo == nullptr || combo->currentIndex() < 0)
        return 0;
    return combo->currentData().toUInt();
}
