#include "BrowseFixture.h"
#include "browse/CollectionMemos.h"

#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

namespace {

// A right click as the window system delivers it: to the widget under the pointer, passed
// up to its parents until one takes it.
void rightClick(QWidget *target, QPoint pos)
{
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, target->mapToGlobal(pos));
    QSpontaneKeyEvent::setSpontaneous(&event);
    QApplication::sendEvent(target, &event);
}

QStringList visibleMenus()
{
    QStringList out;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMenu *>(w) && w->isVisible())
            out << w->objectName();
    }
    out.sort();
    return out;
}

void closeMenus()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMenu *>(w))
            w->hide();
    }
}

// The menus a right click brings up. Qt's own scroll-bar menu runs a loop of its own: a
// timer reads and closes whatever comes up, so that the click returns either way.
QStringList menusOfRightClick(QWidget *target, QPoint pos)
{
    QStringList seen;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        seen = visibleMenus();
        if (!seen.isEmpty()) {
            poll.stop();
            closeMenus();
        }
    });
    poll.start();
    rightClick(target, pos);
    (void)QTest::qWaitFor([&] { return !poll.isActive(); });
    return seen;
}

} // namespace

class TestPageTabs : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { quietOpacityWarnings(); }
    void cleanup()
    {
        closeMenus();
        cancelPendingAnswers();
    }

    void categoryMenuBringsEachPageToTheFront()
    {
        BrowseForm f;
        QVERIFY(f.startShown());
        QTabWidget *pages = f.form.bsSkinPageControl1;
        QTabBar *tabs = pages->tabBar();
        QCOMPARE(pages->currentIndex(), 0);

        // The last tab lies beyond the scrolling tab row at first.
        const int last = pages->count() - 1;
        QVERIFY(!tabs->rect().contains(tabs->tabRect(last)));

        const QStringList expected = { QStringLiteral("经典个性签名"), QStringLiteral("经典个性网名"),
            QStringLiteral("特殊字符"), QStringLiteral("简转繁"), QStringLiteral("日本字符"),
            QStringLiteral("字符贴图"), QStringLiteral("签    名"), QStringLiteral("爱    情"),
            QStringLiteral("贴    图"), QStringLiteral("幽默短文"), QStringLiteral("分手经典对白"),
            QStringLiteral("武器贴图"), QStringLiteral("情感贴图"), QStringLiteral("鲜花贴图"),
            QStringLiteral("节日贴图"), QStringLiteral("精彩情话"), QStringLiteral("爱情密码"),
            QStringLiteral("经典短信"), QStringLiteral("浪漫世界"), QStringLiteral("经典大话"),
            QStringLiteral("心情符号"), QStringLiteral("网络情缘") };
        QMenu *categories = f.form.pages()->categoryMenu()->findChild<QMenu *>(QStringLiteral("N13Menu"));
        QVERIFY(categories);
        QStringList captions;
        for (QAction *a : categories->actions())
            captions << a->text();
        QCOMPARE(captions, expected);

        // Menu order is tab order from the second tab on: item i brings tab i + 1.
        const QList<QAction *> items = categories->actions();
        for (int i = items.size() - 1; i >= 0; --i) {
            items[i]->trigger();
            QCOMPARE(pages->currentIndex(), i + 1);
            QCOMPARE(
                pages->tabText(i + 1), QStringLiteral("〖%1〗").arg(QString(expected[i]).remove(QLatin1Char(' '))));
        }
        // Bringing the page in front again changes nothing.
        items[0]->trigger();
        items[0]->trigger();
        QCOMPARE(pages->currentIndex(), 1);

        // 网络情缘: the last page, its tab scrolled into view.
        pages->setCurrentIndex(0);
        QTRY_VERIFY(!tabs->rect().contains(tabs->tabRect(last)));
        f.action("N33")->trigger();
        QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("bsSkinTabSheet20"));
        QTRY_VERIFY(tabs->rect().contains(tabs->tabRect(last)));
        QVERIFY(pages->currentWidget()->isVisible());
    }

    void rightClicksOpenTheMenuOfWhatIsClicked()
    {
        BrowseForm f;
        QVERIFY(f.startShown());
        QTabWidget *pages = f.form.bsSkinPageControl1;
        QTabBar *tabs = pages->tabBar();

        rightClick(tabs, tabs->tabRect(1).center());
        QCOMPARE(visibleMenus(), QStringList { QStringLiteral("bsSkinPopupMenu1") });
        closeMenus();

        // Frames and grids have no menu of their own: the page control's shows.
        f.form.pages()->showPage(f.form.pages()->page("bsSkinTabSheet22"));
        auto *frame = f.form.findChild<QGroupBox *>(QStringLiteral("bsSkinGroupBox2"));
        rightClick(frame, QPoint(5, 5));
        QCOMPARE(visibleMenus(), QStringList { QStringLiteral("bsSkinPopupMenu1") });
        closeMenus();
        auto *grid = f.form.findChild<QWidget *>(QStringLiteral("bsSkinDBGrid3"));
        rightClick(qobject_cast<QAbstractScrollArea *>(grid)->viewport(), QPoint(30, 10));
        QCOMPARE(visibleMenus(), QStringList { QStringLiteral("bsSkinPopupMenu1") });
        closeMenus();

        // Scroll bars have no menu of their own either, beside a grid or a memo.
        const QStringList category { QStringLiteral("bsSkinPopupMenu1") };
        auto *gridBar = qobject_cast<QAbstractScrollArea *>(grid)->verticalScrollBar();
        QCOMPARE(menusOfRightClick(gridBar, QPoint(5, 5)), category);
        f.action("N32")->trigger();
        QCOMPARE(menusOfRightClick(f.form.collections()->memo(18)->scrollBar(), QPoint(5, 30)), category);
        f.action("N62")->trigger();
        QCOMPARE(menusOfRightClick(f.form.findChild<QScrollBar *>(QStringLiteral("bsSkinScrollBar24")), QPoint(5, 30)),
            category);

        // The viewer brings its edit menu.
        auto *viewer = f.form.findChild<QLineEdit *>(QStringLiteral("bsSkinEdit2"));
        rightClick(viewer, QPoint(10, 10));
        QCOMPARE(visibleMenus(), QStringList { QStringLiteral("editMenu") });
        closeMenus();

        // A collection memo shows its own "复制".
        f.action("N32")->trigger();
        SkinMemo *memo = f.form.collections()->memo(18);
        rightClick(memo->viewport(), QPoint(20, 20));
        QCOMPARE(visibleMenus(), QStringList { QStringLiteral("bsSkinPopupMenu2") });
        QCOMPARE(f.form.collections()->menuMemo(), memo);
        closeMenus();

        f.action("N62")->trigger();
        auto *convertMemo = f.form.findChild<QAbstractScrollArea *>(QStringLiteral("bsSkinMemo220"));
        rightClick(convertMemo->viewport(), QPoint(20, 20));
        QCOMPARE(visibleMenus(), QStringList { QStringLiteral("bsSkinPopupMenu5") });
    }
};

QTEST_MAIN(TestPageTabs)
#include "tst_pagetabs.moc"
