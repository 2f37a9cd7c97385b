#pragma once

#include <QDialog>

#include "device/ParameterSet.h"

// A settings dialog edits its own copy of the working parameter set; the main
// window takes the copy back only when the dialog is accepted, so Cancel and
// a failed OK leave the working set as it was.
class CWorkingSetDialog : public QDialog {
public:
    explicit CWorkingSetDialog(const ParameterSet& working, QWidget* parent = nullptr)
        : QDialog(parent), set_(working)
    {
    }

    const ParameterSet& Parameters() const { return set_; }

protected:
    ParameterSet set_;
};
