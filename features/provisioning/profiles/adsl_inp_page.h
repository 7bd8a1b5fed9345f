#pragma once
// CAdslInpPage ("INP", template 443), a page of the ADSL line profile editor: the minimum impulse noise protection of
// each direction, 0, 1/2, 1, 2, 4, 8 or 16 symbols (the index of its combo).

#include "ui/framework/dialogs/ca_dialog.h"

#include <memory>

namespace Ui {
class CAdslInpPage;
}

class CAdslInpPage : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 443;
    static constexpr int kDownInpId = 1401;
    static constexpr int kUpInpId = 1400;

    explicit CAdslInpPage(QWidget* parent = nullptr);
    ~CAdslInpPage() override;

    int Downstream() const { return down_; }
    int Upstream() const { return up_; }
    void SetValues(int down, int up);

    void DoDataExchange(CDataExchange& dx) override;

private:
    std::unique_ptr<Ui::CAdslInpPage> ui_;
    int down_ = 0;
    int up_ = 0;
};
