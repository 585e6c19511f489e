#include "browse/PageTabs.h"

#include "window/Guard.h"

#include <QAction>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

const PageTabs::Page PageTabs::Pages[PageCount] = {
    { "bsSkinTabSheet1", u"〖关于〗", 0, nullptr, nullptr, &PageTabs::bsSkinTabSheet1 },
    { "bsSkinTabSheet21", u"〖经典个性签名〗", 0, "N60", u"经典个性签名", &PageTabs::bsSkinTabSheet21 },
    { "bsSkinTabSheet22", u"〖经典个性网名〗", 0, "N61", u"经典个性网名", &PageTabs::bsSkinTabSheet22 },
    { "bsSkinTabSheet2", u"〖特殊字符〗", 1, "N15", u"特殊字符" },
    { "bsSkinTabSheet23", u"〖简转繁〗", 0, "N62", u"简转繁", &PageTabs::bsSkinTabSheet23 },
    { "bsSkinTabSheet6", u"〖日本字符〗", 2, "N16", u"日本字符" },
    { "bsSkinTabSheet3", u"〖字符贴图〗", 3, "N17", u"字符贴图" },
    { "bsSkinTabSheet4", u"〖签名〗", 4, "N18", u"签    名" },
    { "bsSkinTabSheet5", u"〖爱情〗", 5, "N19", u"爱    情" },
    { "bsSkinTabSheet7", u"〖贴图〗", 6, "N20", u"贴    图" },
    { "bsSkinTabSheet8", u"〖幽默短文〗", 7, "N21", u"幽默短文" },
    { "bsSkinTabSheet9", u"〖分手经典对白〗", 8, "N22", u"分手经典对白" },
    { "bsSkinTabSheet10", u"〖武器贴图〗", 9, "N23", u"武器贴图" },
    { "bsSkinTabSheet11", u"〖情感贴图〗", 10, "N24", u"情感贴图" },
    { "bsSkinTabSheet12", u"〖鲜花贴图〗", 11, "N25", u"鲜花贴图" },
    { "bsSkinTabSheet13", u"〖节日贴图〗", 12, "N26", u"节日贴图" },
    { "bsSkinTabSheet14", u"〖精彩情话〗", 13, "N27", u"精彩情话" },
    { "bsSkinTabSheet15", u"〖爱情密码〗", 14, "N28", u"爱情密码" },
    { "bsSkinTabSheet16", u"〖经典短信〗", 15, "N29", u"经典短信" },
    { "bsSkinTabSheet17", u"〖浪漫世界〗", 16, "N30", u"浪漫世界" },
    { "bsSkinTabSheet18", u"〖经典大话〗", 17, "N31", u"经典大话" },
    { "bsSkinTabSheet19", u"〖心情符号〗", 18, "N32", u"心情符号" },
    { "bsSkinTabSheet20", u"〖网络情缘〗", 19, "N33", u"网络情缘" },
};

PageTabs::PageTabs(const Context &context)
    : QObject(context.form)
    , m_context(context)
    , m_pages(context.pageControl)
{
    setObjectName(QStringLiteral("pageTabs"));
    m_pages->setUsesScrollButtons(true);
    m_pages->setElideMode(Qt::ElideNone);
    m_pages->tabBar()->setExpanding(false);
    m_pages->setAccessibleName(QStringLiteral("页面"));
    // The tab row's scroll buttons: the keyboard moves between pages itself.
    for (QToolButton *scroll : m_pages->tabBar()->findChildren<QToolButton *>()) {
        scroll->setFocusPolicy(Qt::NoFocus);
        scroll->setAccessibleName(
            scroll->arrowType() == Qt::LeftArrow ? QStringLiteral("向左滚动页签") : QStringLiteral("向右滚动页签"));
    }
    for (const Page &p : Pages) {
        auto *sheet = new QWidget;
        sheet->setObjectName(QString::fromLatin1(p.name));
        m_pages->addTab(sheet, QString::fromUtf16(p.caption));
        if (p.sheet)
            this->*p.sheet = sheet;
    }
    buildAboutPage(bsSkinTabSheet1);
    m_pages->setCurrentIndex(0);
    buildMenu();
    buildPageKeys();
}

void PageTabs::buildPageKeys()
{
    // As in other tabbed programs; the keyboard lands in the page it opened.
    const struct
    {
        QKeyCombination keys;
        int step;
    } keys[] = {
        { Qt::CTRL | Qt::Key_PageDown, 1 },
        { Qt::CTRL | Qt::Key_PageUp, -1 },
        { Qt::CTRL | Qt::Key_Tab, 1 },
        { Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, -1 },
    };
    for (const auto &k : keys) {
        auto *shortcut = new QShortcut(QKeySequence(k.keys), m_context.form);
        connect(shortcut, &QShortcut::activated, this, guardedSlot(m_context.form, [this, step = k.step] {
            const int count = m_pages->count();
            m_pages->setCurrentIndex((m_pages->currentIndex() + step + count) % count);
            focusPage(m_pages->currentWidget());
        }));
    }
}

void PageTabs::focusPage(QWidget *sheet)
{
    for (QWidget *w = sheet->nextInFocusChain(); w && w != sheet; w = w->nextInFocusChain()) {
        if (sheet->isAncestorOf(w) && w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    m_pages->tabBar()->setFocus(Qt::TabFocusReason);
}

QWidget *PageTabs::page(const char *name) const
{
    for (int i = 0; i < m_pages->count(); ++i) {
        if (m_pages->widget(i)->objectName() == QLatin1String(name))
            return m_pages->widget(i);
    }
    return nullptr;
}

QWidget *PageTabs::pageOfCollection(int fileNumber) const
{
    for (const Page &p : Pages) {
        if (p.collection == fileNumber)
            return page(p.name);
    }
    return nullptr;
}

void PageTabs::showPage(QWidget *sheet)
{
    if (sheet && m_pages->currentWidget() != sheet)
        m_pages->setCurrentWidget(sheet);
}

void PageTabs::buildAboutPage(QWidget *sheet)
{
    auto *picture = new QLabel(sheet);
    picture->setObjectName(QStringLiteral("bsSkinImage1"));
    picture->setGeometry(88, 32, 500, 300);
    // Through QIcon, which takes about@2x.jpg on a screen scaled by 2.
    QPixmap about = QIcon(QStringLiteral(":/browse/about.jpg")).pixmap(QSize(500, 300), picture->devicePixelRatioF());
    if (about.isNull()) {
        about = QPixmap(500, 300);
        about.fill(QColor(0xe3, 0xed, 0xf4));
    }
    picture->setPixmap(about);

    struct Button
    {
        const char *name;
        const char16_t *caption;
        int left;
        QPushButton *PageTabs::*member;
    };
    static constexpr Button buttons[] = {
        { "bsSkinButton1", u"访问网站", 168, &PageTabs::bsSkinButton1 },
        { "bsSkinButton2", u"联系我", 288, &PageTabs::bsSkinButton2 },
        { "bsSkinButton3", u"升级", 416, &PageTabs::bsSkinButton3 },
    };
    for (const Button &b : buttons) {
        auto *pb = new QPushButton(QString::fromUtf16(b.caption), sheet);
        pb->setObjectName(QString::fromLatin1(b.name));
        pb->setGeometry(b.left, 368, 75, 25);
        pb->setToolTip(pb->text());
        this->*b.member = pb;
    }
}

void PageTabs::buildMenu()
{
    m_menu = new QMenu(m_context.form);
    m_menu->setObjectName(QStringLiteral("bsSkinPopupMenu1"));

    QMenu *categories = m_menu->addMenu(QStringLiteral("签名字符类别"));
    categories->setObjectName(QStringLiteral("N13Menu"));
    categories->menuAction()->setObjectName(QStringLiteral("N13"));
    for (const Page &p : Pages) {
        if (!p.menuItem)
            continue;
        QAction *a = categories->addAction(QString::fromUtf16(p.menuCaption));
        a->setObjectName(QString::fromLatin1(p.menuItem));
        QWidget *sheet = page(p.name);
        connect(a, &QAction::triggered, this, guardedSlot(m_context.form, [this, sheet] { showPage(sheet); }));
    }
    m_menu->addSeparator()->setObjectName(QStringLiteral("N14"));
    QAction *help = m_menu->addAction(QStringLiteral("帮       助"));
    help->setObjectName(QStringLiteral("N1"));
    help->setShortcut(QKeySequence(Qt::Key_F1));
    help->setShortcutContext(Qt::WindowShortcut);
    m_context.form->addAction(help);
    N1 = help;
    QAction *about = m_menu->addAction(QStringLiteral("关       于"));
    about->setObjectName(QStringLiteral("N2"));
    N2 = about;
    m_menu->addSeparator()->setObjectName(QStringLiteral("N3"));
    QAction *exit = m_menu->addAction(QStringLiteral("退       出"));
    exit->setObjectName(QStringLiteral("N4"));
    exit->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
    exit->setShortcutContext(Qt::WindowShortcut);
    m_context.form->addAction(exit);
    N4 = exit;

    m_pages->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_pages, &QWidget::customContextMenuRequested, this,
        [this](const QPoint &pos) { m_menu->popup(m_pages->mapToGlobal(pos)); });
}
