#include "testdlg/CZNLoopTestDlg.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/AppIcon.h"
#include "testdlg/CLoopTestDialog.h"
#include "testdlg/CLoopTestPanel.h"
#include "testdlg/CPresetPanel.h"
#include "testdlg/TestDialogParts.h"
#include "widgets/UiText.h"

using namespace TestDialogText;

namespace {
constexpr int kSystems = 2;
} // namespace

CZNLoopTestDlg::CZNLoopTestDlg(CModbusInterface& connection, const CDeviceType& device, Mode mode,
                               QWidget* parent)
    : QDialog(parent), mode_(mode)
{
    ApplyAppIcon(*this);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    if (mode_ == Mode::LoopTest) {
        setWindowTitle(UiText(kLoopTestCaption));
        loopTest_ = new CLoopTestPanel(connection, device, MeasuredLoopTest::ZnBothSystems, this);
        layout->addWidget(loopTest_);
    } else {
        setWindowTitle(UiText(kPresetCaption));
        auto* row = new QHBoxLayout;
        systems_ = new QComboBox(this);
        SetControlId(systems_, kSystemList);
        for (int s = 0; s < kSystems; ++s)
            systems_->addItem(UiText(kSystem1 + s));
        row->addWidget(systems_);
        row->addStretch();
        layout->addLayout(row);
        preset_ = new CPresetPanel(connection, device, 0, this);
        layout->addWidget(preset_);
        connect(systems_, &QComboBox::currentIndexChanged, preset_, &CPresetPanel::SetChannel);
        preset_->Start();
    }
    layout->addLayout(CloseButtonRow(*this));
}

void CZNLoopTestDlg::Load()
{
    if (loopTest_)
        loopTest_->Load();
}

void CZNLoopTestDlg::done(int result)
{
    if (loopTest_)
        loopTest_->CloseEdits();
    if (preset_)
        preset_->Stop();
    QDialog::done(result);
}
