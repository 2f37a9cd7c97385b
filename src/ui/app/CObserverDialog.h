#pragma once

#include <QDialog>

#include "background/CObserver.h"

// A dialog that observes subjects changed on other threads. Update only
// posts; OnObservedUpdate runs later on the dialog's own thread, in order.
// Posts still queued when the dialog is destroyed are dropped.
class CObserverDialog : public QDialog, public CObserver {
    Q_OBJECT
public:
    explicit CObserverDialog(QWidget* parent = nullptr);
    // Detaches (waiting for Update calls running on other threads) while the
    // window still exists. A subclass whose reaction uses its own members
    // should call DetachAll() in its own destructor first.
    ~CObserverDialog() override;

    void Update(CObservable* source) override;

protected:
    virtual void OnObservedUpdate(CObservable* source) = 0;
};
