#pragma once
// Runs the tree's Search dialog on a copy of the view's search settings; true (and the settings taken) on OK.

#include "ui/shell/tree/tree_search.h"

bool RunTreeSearchDialog(TreeSearchSettings& settings);
