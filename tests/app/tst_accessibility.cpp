// What a screen reader finds in the main window, its menus and the find window: a name
// for everything one can focus or press, headers that say what a column holds.

#include "BrowseFixture.h"
#include "app/MenuBarKeys.h"
#include "browse/CatalogueLists.h"
#include "browse/DataGrid.h"
#include "find/FindCommands.h"
#include "find/FindForm.h"

#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

#include <QAccessible>
#include <QMenu>
#include <QSet>

#include <algorithm>

namespace {

const QStringList RawFieldNames = { QStringLiteral("ID"), QStringLiteral("gxqm"), QStringLiteral("gxqlwm"),
    QStringLiteral("gxnswm"), QStringLiteral("gxnvswm"), QStringLiteral("dataversion") };

struct Findings
{
    QStringList unnamed;
    QStringList badHeaders;
    int interactive = 0;
    QSet<QAccessible::Id> seen;
};

bool interactive(QAccessibleInterface *iface)
{
    if (iface->state().focusable)
        return true;
    const QAccessibleActionInterface *actions = iface->actionInterface();
    if (!actions)
        return false;
    const QStringList names = actions->actionNames();
    return names.contains(QAccessibleActionInterface::pressAction())
        || names.contains(QAccessibleActionInterface::toggleAction())
        || names.contains(QAccessibleActionInterface::showMenuAction());
}

QString describe(QAccessibleInterface *iface, const QString &path)
{
    const QObject *object = iface->object();
    const QString name = object
        ? QString::fromLatin1(object->metaObject()->className()) + QLatin1Char(' ') + object->objectName()
        : QStringLiteral("role %1").arg(int(iface->role()));
    return path + QLatin1Char('/') + name;
}

// In the program's language: Qt's own English names ("Scroll Left") do not count.
bool spoken(const QString &name)
{
    static const QStringList latinCaptions = { QStringLiteral("E-mail"), QStringLiteral("My Qzone") };
    return latinCaptions.contains(name)
        || std::any_of(name.begin(), name.end(), [](QChar c) { return c.unicode() >= 0x3000; });
}

void walk(QAccessibleInterface *iface, const QString &path, Findings &found)
{
    // A menu is reached from its item and again as a window of its own.
    if (!iface || !iface->isValid() || found.seen.contains(QAccessible::uniqueId(iface)))
        return;
    found.seen.insert(QAccessible::uniqueId(iface));
    const QString here = describe(iface, path);
    const QAccessible::Role role = iface->role();
    if (role == QAccessible::ColumnHeader) {
        const QString text = iface->text(QAccessible::Name);
        if (text.isEmpty() || RawFieldNames.contains(text))
            found.badHeaders << here + QStringLiteral(" \"") + text + QLatin1Char('"');
        return;
    }
    // The cells speak for themselves (their text); only the headers and the table matter.
    if (role == QAccessible::Cell || role == QAccessible::RowHeader)
        return;
    if (interactive(iface)) {
        ++found.interactive;
        const QString name = iface->text(QAccessible::Name).trimmed();
        if (name.isEmpty())
            found.unnamed << here;
        else if (!spoken(name))
            found.unnamed << here + QStringLiteral(" \"") + name + QLatin1Char('"');
    }
    int children = iface->childCount();
    // A table's first rows are enough: its header row comes first.
    if (iface->tableInterface())
        children = std::min(children, 3 * (iface->tableInterface()->columnCount() + 1));
    for (int i = 0; i < children; ++i)
        walk(iface->child(i), here, found);
}

Findings walkWindow(QWidget *window)
{
    Findings found;
    walk(QAccessible::queryAccessibleInterface(window), QString(), found);
    // Menus are windows of their own.
    const QList<QMenu *> menus = window->findChildren<QMenu *>();
    for (QMenu *menu : menus)
        walk(QAccessible::queryAccessibleInterface(menu), QStringLiteral("menu"), found);
    return found;
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { quietOpacityWarnings(); }
    void cleanup() { cancelPendingAnswers(); }

    void everyControlHasANameAndNoHeaderIsAFieldName()
    {
        BrowseForm f;
        QVERIFY(f.startShown());
        f.form.findCommands()->openFind();
        FindForm *find = f.form.findCommands()->findForm();
        QVERIFY(find && QTest::qWaitForWindowExposed(find));

        Findings main = walkWindow(&f.form);
        Findings finder = walkWindow(find);
        qInfo("interactive objects: %d in the main window, %d in the find window; unnamed: %lld", main.interactive,
            finder.interactive, main.unnamed.size() + finder.unnamed.size());
        for (const QString &where : main.unnamed + finder.unnamed + main.badHeaders + finder.badHeaders)
            qInfo("%s", qPrintable(where));
        QVERIFY(main.interactive > 100);
        QVERIFY2(main.unnamed.isEmpty(), qPrintable(main.unnamed.join(QLatin1Char('\n'))));
        QVERIFY2(finder.unnamed.isEmpty(), qPrintable(finder.unnamed.join(QLatin1Char('\n'))));
        QVERIFY2(main.badHeaders.isEmpty(), qPrintable(main.badHeaders.join(QLatin1Char('\n'))));
        QVERIFY2(finder.badHeaders.isEmpty(), qPrintable(finder.badHeaders.join(QLatin1Char('\n'))));
    }

    // Every menu-bar item opens with Alt and a letter of its pinyin, F10 enters the bar; the
    // captions stay as they are.
    void menusAndPagesByKeyboard()
    {
        BrowseForm f;
        QVERIFY(f.startShown());
        f.form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.form));
        QMenuBar *bar = f.form.bsSkinMainMenuBar1;
        QStringList keys;
        for (QAction *item : bar->actions())
            keys << item->text() + QLatin1Char('=') + item->shortcut().toString();
        QCOMPARE(keys,
            (QStringList { "主  页=Alt+Z", "设  置=Alt+S", "帮  助=Alt+B", "链  接=Alt+L", "升  级=Alt+J",
                "捐  助=Alt+U", "信  息=Alt+X", "My Qzone=Alt+M", "查  找=Alt+C", "花  样=Alt+H" }));
        // An item added later gets the next free letter of its own.
        QCOMPARE(MenuBarKeys::letterFor(QStringLiteral("花  样"), QStringLiteral("zsbljyxmc")), 'h');
        QCOMPARE(MenuBarKeys::letterFor(QStringLiteral("查  找"), QStringLiteral("c")), 'z');

        QAction *settings = f.action("N40");
        QTest::keyClick(&f.form, Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(settings->menu()->isVisible());
        QCOMPARE(bar->activeAction(), settings);
        // A pair reads as one check item; the plain twin stays unchecked when chosen.
        QAction *off = f.action("N42");
        QVERIFY(off->isVisible() && off->isCheckable() && !off->isChecked());
        settings->menu()->setActiveAction(off);
        QTest::keyClick(settings->menu(), Qt::Key_Return);
        QTRY_VERIFY(!settings->menu()->isVisible());
        QVERIFY(!off->isChecked() && !off->isVisible());
        QVERIFY(f.action("N43")->isVisible() && f.action("N43")->isChecked());

        f.form.bsSkinPageControl1->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10);
        QTRY_COMPARE(bar->activeAction(), bar->actions().first());
        QVERIFY(bar->hasFocus());
        QTest::keyClick(bar, Qt::Key_Right);
        QCOMPARE(bar->activeAction(), settings);
        QTest::keyClick(bar, Qt::Key_Escape);
        QTest::keyClick(bar, Qt::Key_Escape);
        QTRY_VERIFY(!bar->hasFocus());

        // Ctrl+PgDn/PgUp and Ctrl+Tab switch pages and land in the page.
        QTabWidget *pages = f.form.bsSkinPageControl1;
        pages->setCurrentIndex(0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("bsSkinTabSheet21"));
        QVERIFY(f.form.catalogueLists()->grid(1)->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("bsSkinTabSheet22"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(pages->currentIndex(), 0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(pages->currentIndex(), pages->count() - 1);
        for (QToolButton *scroll : pages->tabBar()->findChildren<QToolButton *>())
            QCOMPARE(scroll->focusPolicy(), Qt::NoFocus);
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
