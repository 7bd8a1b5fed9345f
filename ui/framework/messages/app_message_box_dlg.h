#pragma once
// The program's own message box (dialog 240): the text in a read-only field, an icon, and up to three buttons right-
// aligned, chosen by the low four bits of the type; each button ends the box with its result.

#include "ui/framework/dialogs/ca_dialog.h"

#include <QList>
#include <QString>

#include <array>
#include <memory>

class QPlainTextEdit;

namespace Ui {
class CAppMessageBoxDlg;
}

class CAppMessageBoxDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 240;
    static constexpr int kIconControlId = 1216;
    static constexpr int kButton1Id = 1054;
    static constexpr int kButton2Id = 1055;
    static constexpr int kButton3Id = 1056;
    static constexpr int kFirstEditId = 1348;
    static constexpr int kSecondEditId = 1349;
    static constexpr qsizetype kMaxText = 1023;
    static constexpr qsizetype kMaxTitle = 127;

    explicit CAppMessageBoxDlg(QWidget* parent = nullptr);
    ~CAppMessageBoxDlg() override;

    // The text (1023 characters kept) and the type: a negative type shows the text in the second field; the top bit
    // is dropped.
    void SetText(const QString& text);
    void SetType(int type);
    QString GetBoxTitle() const { return boxTitle_; }
    // The results of the three buttons, -1 for a button not used (known after OnInitDialog).
    std::array<int, 3> GetButtonResults() const { return buttonResult_; }

    // The text as shown: line feeds as CR LF, the caller's carriage returns dropped.
    static QString ToBoxText(const QString& text);

    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    void DrawExtras(Dc& dc) override;

private:
    // Makes the box wider (up to twice its field) and then taller (up to most of the screen) for a text its field
    // cannot show whole, the buttons moving with the field's corner.
    void FitText(QPlainTextEdit& edit);

    std::unique_ptr<Ui::CAppMessageBoxDlg> ui_;
    std::array<int, 3> buttonResult_{-1, -1, -1};
    QString boxTitle_;
    QString boxText_;
    unsigned boxType_ = 0;
    bool useFirstEdit_ = true;
};
