#pragma once
// The frame of the PM threshold profile editors (xDSL and SHDSL): a profile editor whose thresholds are each a box
// and an edit (threshold_boxes.h), `Editor::kControls` naming them. A change or a show starts on the profile given,
// or read by its name; one that could not be read shows the name and the editor's defaults, OK off.
//
//     InitData: if (!StartAndRead()) return; if (!IsAdding()) { ...the record's thresholds... } ShowValues();

#include "features/provisioning/profiles/profile_editor.h"
#include "features/provisioning/profiles/threshold_boxes.h"
#include "link/records/profile_name_rec.h"

template <class Editor, TabledRecord Rec> class CThresholdProfileEditorOf : public CProfileEditorOf<CADialog, Rec> {
    using Frame = CProfileEditorOf<CADialog, Rec>;

protected:
    using Frame::Frame;

    // The start of InitData; false when the editor closed or shows the defaults of a profile it could not read.
    bool StartAndRead()
    {
        if (!this->StartEditor())
            return false;
        if (this->IsAdding() || this->recordGiven_)
            return true;
        return this->ReadProfile(ProfileNameRec{this->record_.name}, [this] {
            this->name_ = QString::fromStdString(this->record_.name);
            ShowValues();
        });
    }
    // The values into the controls, each edit writable while its box is ticked.
    void ShowValues()
    {
        this->UpdateData(false);
        ApplyBoxes();
    }
    // The values typed taken at once (a value out of its range is reported where it was typed), and the boxes
    // applied.
    void TakeValues()
    {
        this->UpdateDialogData();
        ApplyBoxes();
    }
    void ApplyBoxes() { ApplyThresholdBoxes(*this, Editor::kControls); }
};
