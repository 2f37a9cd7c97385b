#pragma once

#include <functional>
#include <memory>
#include <string>

#include "app/CObserverDialog.h"
#include "background/CProgressThread.h"

class QLabel;
class QProgressBar;
class QTimer;

// "Processing...": runs an upload or download on a job thread while showing
// its progress and the master's success rate. The window closes when the job
// reports that it has finished: accepted when it completed or failed (the
// error text says which), rejected when it was cancelled. The job thread is
// joined before the window goes.
class CProgressDialog : public CObserverDialog {
    Q_OBJECT
public:
    enum ControlId {
        kCancel = 2,
        kProgressBar = 1073,
        kOperationText = 1074,
        kSuccessRate = 1102,
        kQualityIcon = 1103,
    };

    struct Link {
        bool infrared = false;               // shows the quality icon
        std::function<double()> successRate; // percent, read on the window's thread
    };

    // Not owned: connection outlives the dialog.
    CProgressDialog(TransferOperation operation, ITransferConnection& connection,
                    CProgressThread::Transfer transfer, Link link, QWidget* parent = nullptr);
    ~CProgressDialog() override;

    // Starts the job; call once, before the dialog is run.
    void Start();

    // Valid after the window has closed.
    TransferOutcome Outcome() const { return outcome_; }
    const std::string& ErrorText() const { return errorText_; }

    // The timer's work: success rate and, in Infrared mode, the quality icon.
    void RefreshSuccessRate();
    void ShowProgress(double percent);
    // "Uploading now...", "Downloading now..." or, while a download reads its
    // words back, "Verifying now...".
    void ShowPhase(TransferPhase phase);

    // Escape and the close box cancel like the Cancel button; the window
    // stays until the job has finished.
    void reject() override;

protected:
    void OnObservedUpdate(CObservable* source) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Cancel();
    void Finish();

    CProgressThread job_;
    Link link_;
    const int operationTextId_;
    QLabel* operationText_ = nullptr;
    TransferPhase phase_ = TransferPhase::Transfer;
    QProgressBar* bar_ = nullptr;
    QLabel* rate_ = nullptr;
    QLabel* quality_ = nullptr;
    QTimer* timer_ = nullptr;
    TransferOutcome outcome_ = TransferOutcome::Cancelled;
    std::string errorText_;
    bool started_ = false;
    bool finished_ = false;
};
