#include "platform/modal_runner.h"

#include <QDialog>

namespace {

class ExecRunner : public ModalRunner {
public:
    int RunModal(QDialog& dialog) override { return dialog.exec(); }
};

ExecRunner defaultRunner;
ModalRunner* installed = nullptr;

} // namespace

ModalRunner& CurrentModalRunner()
{
    return installed ? *installed : defaultRunner;
}

ModalRunner* SetModalRunner(ModalRunner* runner)
{
    ModalRunner* previous = installed;
    installed = runner;
    return previous;
}
