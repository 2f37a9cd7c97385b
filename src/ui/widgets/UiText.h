#pragma once

#include <QString>

#include <initializer_list>

#include <QWidget>

// Texts of the current language by string id, as Qt strings.
QString UiText(int id);
QString UiFormat(int id, std::initializer_list<QString> inserts);

// Controls keep their numeric control id as objectName ("c1032"), so that tests
// and screenshots find them the way the window's code does.
QString ControlName(int controlId);
void SetControlId(QWidget* widget, int controlId);
template <typename T> T* FindControl(QWidget* parent, int controlId)
{
    return parent->findChild<T*>(ControlName(controlId));
}
