#include "monitor/CSharedPageTabs.h"

#include <QTabBar>
#include <QVBoxLayout>

#include "widgets/UiText.h"

CSharedPageTabs::CSharedPageTabs(int controlId, QWidget* page, QWidget* parent)
    : QTabWidget(parent), page_(page)
{
    SetControlId(this, controlId);
    connect(this, &QTabWidget::currentChanged, this, &CSharedPageTabs::MovePage);
}

void CSharedPageTabs::AddTab(int textId)
{
    auto* holder = new QWidget;
    auto* layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    // The first tab added becomes current and receives the page here.
    addTab(holder, UiText(textId));
}

void CSharedPageTabs::MovePage(int index)
{
    QWidget* holder = widget(index);
    if (!holder || page_->parentWidget() == holder)
        return;
    holder->layout()->addWidget(page_);
    page_->show();
}

void CSharedPageTabs::SetTabsEnabled(bool enabled)
{
    tabBar()->setEnabled(enabled);
}

bool CSharedPageTabs::TabsEnabled() const
{
    return tabBar()->isEnabled();
}
