#pragma once

#include "window/FormContext.h"

#include <QObject>

class QMenu;
class QTabWidget;
class QWidget;

// The twenty-three pages of the page control, in tab order, and the category menu
// "签名字符类别" that brings any of them to the front.
class PageTabs : public QObject
{
    Q_OBJECT
public:
    struct Page
    {
        const char *name; // component name of the tab sheet
        const char16_t *caption; // tab caption
        int collection; // collection file number, 0 for none
        const char *menuItem; // category item, nullptr for none
        const char16_t *menuCaption;
    };
    static constexpr int PageCount = 23;
    static const Page Pages[PageCount];

    explicit PageTabs(const FormContext &context);

    QWidget *page(const char *name) const;
    QWidget *pageOfCollection(int fileNumber) const;
    QMenu *categoryMenu() const { return m_menu; }

    // Brings a page to the front, as a click on its tab does.
    void showPage(QWidget *page);

private:
    void buildAboutPage(QWidget *page);
    void buildMenu();

    FormContext m_context;
    QTabWidget *m_pages;
    QMenu *m_menu = nullptr;
};
