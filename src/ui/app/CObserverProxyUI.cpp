#include "app/CObserverProxyUI.h"

#include <QMetaObject>

CObserverProxyUI::CObserverProxyUI(QObject* parent) : QObject(parent) {}

CObserverProxyUI::~CObserverProxyUI()
{
    // Subjects first: no Update may post once the object starts to go.
    CObserver::DetachAll();
    CObservable::DetachAll();
}

void CObserverProxyUI::Update(CObservable* source)
{
    QMetaObject::invokeMethod(
        this, [this, source] { Notify(source ? source : static_cast<CObservable*>(this)); },
        Qt::QueuedConnection);
}
