#pragma once
// The Description of the xDSL PM windows (current, history, long-term; ADSL and SHDSL): the legend of their columns
// in the Index dialog, modally.

class QWidget;

void ShowXdslPmDescription(QWidget* parent);
