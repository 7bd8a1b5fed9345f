#pragma once
// CNeCliPromptDlg ("NE CLI Prompt Setting", template 479) and CNeCliPromptDualDlg (template 480): the prompt of the
// target NE's command line interface, for an NE with one control module (request 901), or the prompts of its master and
// slave control modules (request 902). A prompt is a name of at most 10 characters, not blank. The CLI prompt command
// asks the NE which it has and opens the one that fits.

#include "link/records/request_code.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <array>
#include <memory>

struct CliPromptRec;

namespace Ui {
class CNeCliPromptDlg;
class CNeCliPromptDualDlg;
} // namespace Ui

// What both prompt dialogs do, over the prompts they show.
class CCliPromptBaseDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kMasterId = 1201;
    static constexpr int kSlaveId = 1258;
    static constexpr int kPromptMax = 10;

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

protected:
    CCliPromptBaseDlg(int templateId, RequestCode<CliPromptRec> code, int prompts, QWidget* parent);

private:
    // False, with the alert on its edit, for a prompt that is blank or holds a character a name may not.
    bool CheckPrompt(int index);

    RequestCode<CliPromptRec> code_;
    int prompts_;
    std::array<QString, 2> texts_{};
};

class CNeCliPromptDlg : public CCliPromptBaseDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 479;

    explicit CNeCliPromptDlg(QWidget* parent = nullptr);
    ~CNeCliPromptDlg() override;

private:
    std::unique_ptr<Ui::CNeCliPromptDlg> ui_;
};

class CNeCliPromptDualDlg : public CCliPromptBaseDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 480;

    explicit CNeCliPromptDualDlg(QWidget* parent = nullptr);
    ~CNeCliPromptDualDlg() override;

private:
    std::unique_ptr<Ui::CNeCliPromptDualDlg> ui_;
};
