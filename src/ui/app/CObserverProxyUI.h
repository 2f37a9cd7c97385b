#pragma once

#include <QObject>

#include "background/CObservable.h"
#include "background/CObserver.h"

// Brings notifications from worker threads to the thread that owns the proxy
// (the GUI thread) and passes them on there to the proxy's own observers.
// Notifications still queued when the proxy is destroyed are dropped.
class CObserverProxyUI : public QObject, public CObservable, public CObserver {
    Q_OBJECT
public:
    explicit CObserverProxyUI(QObject* parent = nullptr);
    ~CObserverProxyUI() override;

    void Update(CObservable* source) override;
};
