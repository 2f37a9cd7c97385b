#include "widgets/ModalRunner.h"

#include <QDialog>

namespace {
ModalRunnerFn& Runner()
{
    static ModalRunnerFn runner;
    return runner;
}
} // namespace

int RunModal(QDialog& dialog)
{
    if (Runner())
        return Runner()(dialog);
    return dialog.exec();
}

void SetModalRunner(ModalRunnerFn runner)
{
    Runner() = std::move(runner);
}
