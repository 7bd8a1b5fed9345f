#pragma once
// CSearchDlg ("Search", template 357): the settings of the map view's Search NE. CTreeSearchDlg ("Search", template
// 356): the same for the location tree, with the kind of item to look for. The opener writes the settings before
// DoModal and reads them back after IDOK; Cancel leaves them as they were.

#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace Ui {
class CSearchDlg;
class CTreeSearchDlg;
} // namespace Ui

inline constexpr int kSearchDlgTemplate = 357;
inline constexpr int kTreeSearchDlgTemplate = 356;
inline constexpr int kSearchTextEditId = 1257;
inline constexpr int kMatchFullNameId = 1059;
inline constexpr int kMatchCaseId = 1060;
inline constexpr int kFromBeginningId = 1061;
inline constexpr int kItemKindFirstId = 1062; // 1062..1065: Location, NE, Member, All
inline constexpr int kSearchTextLimit = 20;

// The settings both dialogs exchange; flags are 1 for set, anything else shows unticked.
struct SearchDlgSettings {
    QString text;
    int32_t matchFullName = 0;
    int32_t matchCase = 0;
    int32_t fromBeginning = 0;
};

// The part both dialogs share: the text and the three check boxes.
class CSearchDlgBase : public CADialog {
    Q_OBJECT
public:
    SearchDlgSettings settings;

    void InitData() override;
    void OnOK() override;

protected:
    explicit CSearchDlgBase(int templateId, QWidget* parent);
    virtual void InitKind() {}
    virtual void TakeKind() {}
};

class CSearchDlg : public CSearchDlgBase {
    Q_OBJECT
public:
    explicit CSearchDlg(QWidget* parent = nullptr);
    ~CSearchDlg() override;

private:
    std::unique_ptr<Ui::CSearchDlg> ui_;
};

class CTreeSearchDlg : public CSearchDlgBase {
    Q_OBJECT
public:
    explicit CTreeSearchDlg(QWidget* parent = nullptr);
    ~CTreeSearchDlg() override;

    uint8_t itemKind = 3; // 0 location, 1 NE, 2 member, 3 all

protected:
    void InitKind() override;
    void TakeKind() override;

private:
    std::unique_ptr<Ui::CTreeSearchDlg> ui_;
};
