#pragma once
// The About dialog (201): the program's title and version, the text of the link mode in use and the program icon.

#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <array>
#include <cstdint>
#include <memory>

namespace Ui {
class CAboutDlg;
}

// The program's version in four parts, most significant first.
std::array<uint32_t, 4> GetProgramVersion();
// "%s , Version %u.%u.%u.%u".
QString FormatAboutVersion(const QString& title, const std::array<uint32_t, 4>& version);

class CAboutDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 201;
    static constexpr int kVersionTextId = 1029;
    static constexpr int kServerTextId = 1348;
    static constexpr int kDirectTextId = 1349;
    static constexpr int kIconId = 1216;
    static constexpr int kAppIconResource = 106;

    explicit CAboutDlg(QWidget* parent = nullptr);
    ~CAboutDlg() override;

    void InitData() override;
    void DrawExtras(Dc& dc) override;

private:
    std::unique_ptr<Ui::CAboutDlg> ui_;
};
