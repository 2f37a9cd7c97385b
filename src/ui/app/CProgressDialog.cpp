#include "app/CProgressDialog.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/AppIcon.h"
#include "app/QualityIcons.h"
#include "app/TransferQuality.h"
#include "text/TextIds.h"
#include "widgets/UiText.h"

namespace {
constexpr int kTextCaption = 20214;
constexpr int kTextSuccessRate = 20226;
constexpr int kTimerMs = 500;
constexpr int kBarWidth = 320;
} // namespace

CProgressDialog::CProgressDialog(TransferOperation operation, ITransferConnection& connection,
                                 CProgressThread::Transfer transfer, Link link, QWidget* parent)
    : CObserverDialog(parent), job_(operation, connection, std::move(transfer)),
      link_(std::move(link)),
      operationTextId_(operation == TransferOperation::Read ? TextId::Uploading
                                                            : TextId::Downloading)
{
    setWindowTitle(UiText(kTextCaption));
    ApplyAppIcon(*this);
    auto* layout = new QVBoxLayout(this);
    operationText_ = new QLabel(UiText(operationTextId_), this);
    SetControlId(operationText_, kOperationText);
    layout->addWidget(operationText_);
    bar_ = new QProgressBar(this);
    SetControlId(bar_, kProgressBar);
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setMinimumWidth(kBarWidth);
    layout->addWidget(bar_);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(UiText(kTextSuccessRate), this));
    rate_ = new QLabel(this);
    SetControlId(rate_, kSuccessRate);
    rate_->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("100.0")));
    bottom->addWidget(rate_);
    quality_ = new QLabel(this);
    SetControlId(quality_, kQualityIcon);
    quality_->setVisible(link_.infrared);
    bottom->addWidget(quality_);
    bottom->addStretch();
    auto* cancel = new QPushButton(UiText(TextId::Cancel), this);
    SetControlId(cancel, kCancel);
    bottom->addWidget(cancel);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(cancel, &QPushButton::clicked, this, &CProgressDialog::Cancel);

    timer_ = new QTimer(this);
    timer_->setInterval(kTimerMs);
    connect(timer_, &QTimer::timeout, this, &CProgressDialog::RefreshSuccessRate);
}

CProgressDialog::~CProgressDialog()
{
    // A window that goes before its job finished (the program ends): stop the
    // job and wait for it; its last notifications are dropped.
    DetachAll();
    if (started_ && !finished_) {
        job_.Cancel();
        job_.Join();
    }
}

void CProgressDialog::Start()
{
    if (started_)
        return;
    started_ = true;
    job_.Attach(*this);
    job_.Start();
    timer_->start();
}

void CProgressDialog::ShowProgress(double percent)
{
    bar_->setValue(static_cast<int>(percent));
}

void CProgressDialog::ShowPhase(TransferPhase phase)
{
    if (phase == phase_)
        return;
    phase_ = phase;
    operationText_->setText(
        UiText(phase == TransferPhase::Verify ? TextId::Verifying : operationTextId_));
}

void CProgressDialog::RefreshSuccessRate()
{
    const double rate = link_.successRate ? link_.successRate() : 0.0;
    rate_->setText(QString::asprintf("%.1lf", rate));
    if (link_.infrared)
        quality_->setPixmap(QualityIcon(QualityIconForRate(rate)));
}

void CProgressDialog::OnObservedUpdate(CObservable*)
{
    if (finished_)
        return;
    if (!job_.IsFinished()) {
        ShowPhase(job_.Phase());
        ShowProgress(job_.Progress());
        return;
    }
    Finish();
}

void CProgressDialog::Finish()
{
    job_.Join();
    finished_ = true;
    timer_->stop();
    outcome_ = job_.Outcome();
    errorText_ = job_.ErrorText();
    done(outcome_ == TransferOutcome::Cancelled ? QDialog::Rejected : QDialog::Accepted);
}

void CProgressDialog::Cancel()
{
    if (!finished_)
        job_.Cancel();
}

void CProgressDialog::reject()
{
    Cancel();
}

void CProgressDialog::closeEvent(QCloseEvent* event)
{
    Cancel();
    event->ignore();
}
