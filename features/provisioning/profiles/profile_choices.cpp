#include "features/provisioning/profiles/profile_choices.h"

#include "ui/framework/dialogs/ca_dialog.h"

#include <QComboBox>

void FillChoices(CADialog& dialog, int comboId, const std::vector<std::string>& texts)
{
    auto* combo = dialog.GetDlgItemAs<QComboBox>(comboId);
    if (combo == nullptr)
        return;
    combo->clear();
    for (const std::string& text : texts)
        combo->addItem(QString::fromStdString(text));
}

void FocusControl(CADialog& dialog, int controlId)
{
    if (QWidget* control = dialog.GetDlgItem(controlId))
        control->setFocus();
}
