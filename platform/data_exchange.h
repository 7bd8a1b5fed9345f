#pragma once
// Moving values between a dialog's controls and its members: DoDataExchange lists the pairs once, and UpdateData runs
// it in either direction (to the controls when the dialog opens, from them when it is confirmed).

#include <QString>

#include <initializer_list>
#include <string>

class CDialog;

class CDataExchange {
public:
    CDataExchange(CDialog& dialog, bool saveAndValidate) : dialog_(dialog), saveAndValidate_(saveAndValidate) {}

    CDialog& Dialog() const { return dialog_; }
    // True when values go from the controls to the members.
    bool IsSaving() const { return saveAndValidate_; }
    // Marks the exchange as failed and puts the focus on the control that failed.
    void Fail(int controlId);
    bool Failed() const { return failed_; }

private:
    CDialog& dialog_;
    bool saveAndValidate_;
    bool failed_ = false;
};

// The text of an edit, label, button or combo box (the edit text of an editable one); a missing control is reported
// (control_id.h) and skipped.
void DDX_Text(CDataExchange& dx, int id, QString& value);
void DDX_Text(CDataExchange& dx, int id, std::string& value); // UTF-8
// A check box: 0 unticked, 1 ticked, 2 undetermined.
void DDX_Check(CDataExchange& dx, int id, int& value);
// The selected index of a combo box, -1 for none.
void DDX_CBIndex(CDataExchange& dx, int id, int& index);
// A group of radio buttons: the position in `ids` of the checked one, -1 for none (none is checked then).
void DDX_Radio(CDataExchange& dx, std::initializer_list<int> ids, int& index);
