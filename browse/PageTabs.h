#pragma once

#include <QObject>

class QAction;
class QMenu;
class QPushButton;
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
        QWidget *PageTabs::*sheet = nullptr; // the pointer below that holds it, if any
    };
    static constexpr int PageCount = 23;
    static const Page Pages[PageCount];

    struct Context
    {
        QWidget *form = nullptr;
        QTabWidget *pageControl = nullptr;
    };

    explicit PageTabs(const Context &context);

    // By component name, for tests; the program uses the pointers below.
    QWidget *page(const char *name) const;
    QWidget *pageOfCollection(int fileNumber) const;
    QMenu *categoryMenu() const { return m_menu; }

    // Brings a page to the front, as a click on its tab does.
    void showPage(QWidget *page);

    // The sheets that other subsystems fill.
    QWidget *bsSkinTabSheet1 = nullptr; // 〖关于〗
    QWidget *bsSkinTabSheet21 = nullptr; // 〖经典个性签名〗
    QWidget *bsSkinTabSheet22 = nullptr; // 〖经典个性网名〗
    QWidget *bsSkinTabSheet23 = nullptr; // 〖简转繁〗

    // The page menu's help, about and exit, and the about page's buttons; their handlers
    // belong to the information commands and the close sequence.
    QAction *N1 = nullptr;
    QAction *N2 = nullptr;
    QAction *N4 = nullptr;
    QPushButton *bsSkinButton1 = nullptr;
    QPushButton *bsSkinButton2 = nullptr;
    QPushButton *bsSkinButton3 = nullptr;

private:
    void buildAboutPage(QWidget *page);
    void buildMenu();
    void buildPageKeys();
    // The page's first control that Tab would reach, else the tab row.
    void focusPage(QWidget *sheet);

    Context m_context;
    QTabWidget *m_pages;
    QMenu *m_menu = nullptr;
};
