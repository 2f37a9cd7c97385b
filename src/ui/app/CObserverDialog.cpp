#include "app/CObserverDialog.h"

#include <QMetaObject>

CObserverDialog::CObserverDialog(QWidget* parent) : QDialog(parent) {}

CObserverDialog::~CObserverDialog()
{
    DetachAll();
}

void CObserverDialog::Update(CObservable* source)
{
    QMetaObject::invokeMethod(
        this, [this, source] { OnObservedUpdate(source); }, Qt::QueuedConnection);
}
