#pragma once
// Shared pieces of the framework tests: a dialog built in code on CADialog with a list, two edits and the Refresh
// button, and the program's string table.

#include "tarvik_test_paths.h"
#include "tests/platform/qt_test_app.h"

#include "platform/control_id.h"
#include "platform/list_control.h"
#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/messages/string_table.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <functional>
#include <string>

inline constexpr int kEdit1 = 1001;
inline constexpr int kEdit2 = 1002;

// The texts a list shows in one column, top to bottom.
inline QStringList ColumnTexts(const CListControl& list, int column)
{
    QStringList texts;
    for (int row = 0; row < list.GetItemCount(); ++row)
        texts << list.GetItemText(row, column);
    return texts;
}

inline void LoadProgramStrings()
{
    LoadAppStrings(std::string(TARVIK_RESOURCES_DIR) + "/strings/strings.tsv");
}

class CTestDlg : public CADialog {
public:
    explicit CTestDlg(QWidget* parent = nullptr, int templateId = 9001) : CADialog(templateId, parent)
    {
        setWindowTitle(QStringLiteral("Base"));
        resize(300, 200);
        list = new QTreeWidget(this);
        list->setGeometry(10, 10, 280, 120);
        list->setRootIsDecorated(false); // a list, not a tree
        SetCtrlId(list, kListControlId);
        edit1 = new QLineEdit(this);
        edit1->setGeometry(10, 140, 100, 22);
        SetCtrlId(edit1, kEdit1);
        edit2 = new QLineEdit(this);
        edit2->setGeometry(120, 140, 100, 22);
        SetCtrlId(edit2, kEdit2);
        auto* refresh = new QPushButton(QStringLiteral("Refresh"), this);
        refresh->setGeometry(230, 140, 60, 22);
        SetCtrlId(refresh, kRefreshButtonId);
    }

    void InitData() override
    {
        ++initDataCount;
        visibleAtInitData = isVisible();
        if (onInitData)
            onInitData(*this);
    }

    int CompareItems(uint32_t item1, uint32_t item2, uint32_t flags) override
    {
        ++compareCalls;
        lastCompareFlags = flags;
        return CADialog::CompareItems(item1, item2, flags);
    }

    QTreeWidget* list = nullptr;
    QLineEdit* edit1 = nullptr;
    QLineEdit* edit2 = nullptr;
    int initDataCount = 0;
    bool visibleAtInitData = false;
    int compareCalls = 0;
    uint32_t lastCompareFlags = 0;
    std::function<void(CTestDlg&)> onInitData;
};
