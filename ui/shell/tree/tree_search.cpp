#include "ui/shell/tree/tree_search.h"

bool SearchTextMatches(const TreeSearchSettings& settings, const QString& itemText)
{
    const QString wanted = settings.matchCase ? settings.text : settings.text.toUpper();
    const QString text = settings.matchCase ? itemText : itemText.toUpper();
    return settings.wholeText ? text == wanted : text.contains(wanted);
}
