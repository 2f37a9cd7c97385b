#pragma once

#include <QTabWidget>

// A tab control whose tabs all show one page: the tabs choose what the page
// shows, the owner refills the page when the selection changes. The page
// moves to the selected tab before currentChanged reaches other receivers.
class CSharedPageTabs : public QTabWidget {
    Q_OBJECT
public:
    CSharedPageTabs(int controlId, QWidget* page, QWidget* parent);

    void AddTab(int textId);
    QWidget* Page() const { return page_; }

    // Only the tab row: the page keeps its enabled look while the tabs wait
    // for data.
    void SetTabsEnabled(bool enabled);
    bool TabsEnabled() const;

private:
    void MovePage(int index);

    QWidget* page_;
};
