#pragma once
// Every modal dialog runs through the process's modal runner, so that tests can script dialogs instead of blocking
// on a person. The default runner executes the dialog's own event loop.

class QDialog;

class ModalRunner {
public:
    virtual ~ModalRunner() = default;
    // Runs the dialog until it ends; returns its result (IDOK, IDCANCEL or the value it ended with).
    virtual int RunModal(QDialog& dialog) = 0;
};

ModalRunner& CurrentModalRunner();
// Installs a runner (not owned; null restores the default) and returns the one installed before (null for the
// default).
ModalRunner* SetModalRunner(ModalRunner* runner);
