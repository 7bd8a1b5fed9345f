#pragma once
// What the line test dialogs do with a page of per-tone values (CXdslBitsAllocationListDlg) and with the list of the
// page in front: its graph, titled by the dialog's CHART key, headed by the dialog's caption and the page's name, over
// the tones; the export of its list under the page's file stem and title; and the place of the pages, over the
// dialog's placeholder 1053.
//
//     ShowToneGraph(snrPage_, {"LOOPDIAGSNR", caption + " - SNR", LoadString(kStrUnitDb)});
//     ExportPageList(*this, page, "LDSnr", "xDSL Loop Diagnosis - SNR");

#include <string>

class CADialog;
class CXdslBitsAllocationListDlg;
class QRect;

struct ToneGraphTexts {
    const char* chartKey = "";
    std::string caption;
    std::string yAxis;
};

inline constexpr int kPagePlaceholderId = 1053;

void ShowToneGraph(CXdslBitsAllocationListDlg& page, const ToneGraphTexts& texts);
// The owner's target and the page's list 1212; a title of none takes the owner's caption.
void ExportPageList(CADialog& owner, CADialog& page, const char* stem, const std::string& title = {});
// Where a page goes: over the placeholder, inside its frame. A page created there (after AddPage, or Create) is
// placed with its list filling it.
QRect PageRect(const CADialog& owner);
void FitPageInto(CADialog& page, const QRect& rect);
