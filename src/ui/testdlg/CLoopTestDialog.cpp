#include "testdlg/CLoopTestDialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/AppIcon.h"
#include "testdlg/CLoopTestPanel.h"
#include "testdlg/TestDialogParts.h"
#include "widgets/UiText.h"

CLoopTestDialog::CLoopTestDialog(CModbusInterface& connection, const CDeviceType& device,
                                 int channel, QWidget* parent)
    : QDialog(parent),
      panel_(new CLoopTestPanel(
          connection, device,
          channel == 1 ? MeasuredLoopTest::Channel2 : MeasuredLoopTest::Channel1, this))
{
    setWindowTitle(UiText(TestDialogText::kLoopTestCaption));
    ApplyAppIcon(*this);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(panel_);
    layout->addLayout(CloseButtonRow(*this));
}

void CLoopTestDialog::Load()
{
    panel_->Load();
}

void CLoopTestDialog::done(int result)
{
    panel_->CloseEdits();
    QDialog::done(result);
}

QLayout* CloseButtonRow(QDialog& dialog)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    auto* close = new QPushButton(UiText(TestDialogText::kClose), &dialog);
    SetControlId(close, 2);
    close->setAutoDefault(false);
    row->addWidget(close);
    QObject::connect(close, &QPushButton::clicked, &dialog, &QDialog::reject);
    return row;
}
