#include "platform/AppError.h"
#include "skin/MovingEvent.h"
#include "skin/SkinTitleBar.h"
#include "support/Recorders.h"
#include "window/ZnHideForm.h"

#include <QCursor>
#include <QDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

namespace {

constexpr int FormWidth = 300;
constexpr int FormHeight = 200;

// A frameless top-level with the skinned title bar and two controls, placed away from
// every edge.
struct Form
{
    RecordingWindowPlatform platform;
    QWidget window;
    SkinTitleBar *bar = new SkinTitleBar(&window, SkinTitleBar::NoButtons);
    QPushButton *left;
    QPushButton *right;
    Form()
    {
        window.setWindowFlag(Qt::FramelessWindowHint);
        window.setFixedSize(FormWidth, FormHeight);
        auto *layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(bar);
        auto *row = new QHBoxLayout;
        left = new QPushButton(QStringLiteral("一"), &window);
        right = new QPushButton(QStringLiteral("二"), &window);
        row->addWidget(left);
        row->addWidget(right);
        layout->addLayout(row);
        window.move(200, 200);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCursor::setPos(2, 590);
        QCoreApplication::processEvents();
    }
};

int screenWidth()
{
    return QGuiApplication::primaryScreen()->geometry().width();
}

// Drags the form by its title bar so that its top left would reach `topLeft`; returns
// where the form went.
QRect dragTo(Form &f, QPoint topLeft)
{
    const QPoint grip(20, f.bar->height() / 2);
    const QPoint offset = f.bar->mapTo(&f.window, grip);
    QTest::mousePress(f.bar, Qt::LeftButton, {}, grip);
    QTest::mouseMove(f.bar, f.bar->mapFromGlobal(topLeft + offset));
    QTest::mouseRelease(f.bar, Qt::LeftButton, {}, f.bar->mapFromGlobal(topLeft + offset));
    return f.window.frameGeometry();
}

void pointerTo(QPoint p)
{
    QCursor::setPos(p);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

void sendPointer(QWidget &w, QEvent::Type type)
{
    QEvent e(type);
    QCoreApplication::sendEvent(&w, &e);
}

} // namespace

class TestZnHideForm : public QObject
{
    Q_OBJECT
private slots:
    void findsTheFormThroughOwnerAndParents()
    {
        Form f;
        TZnHideForm onForm(&f.window, f.platform);
        QCOMPARE(onForm.form(), &f.window);
        TZnHideForm onChild(f.right, f.platform);
        QCOMPARE(onChild.form(), &f.window);

        QObject loose;
        try {
            TZnHideForm none(&loose, f.platform);
            QFAIL("constructed without a form");
        } catch (const AppError &e) {
            QCOMPARE(e.message(), QStringLiteral("未找到主窗体"));
        }
    }

    void startsWithStoredValues()
    {
        Form f;
        TZnHideForm z(&f.window, f.platform);
        QCOMPARE(z.DockPos(), dpNone);
        QCOMPARE(z.AutoDock(), false);
        QCOMPARE(z.AlwaysTop(), false);
        QCOMPARE(z.EdgeSpace(), 3);
        QCOMPARE(z.ValidSpace(), 10);
        QVERIFY(!z.isHooked());
        QVERIFY(!z.utilityTimer());
    }

    void rangeErrorsKeepTheOldValue()
    {
        Form f;
        TZnHideForm z(&f.window, f.platform);
        const struct
        {
            void (TZnHideForm::*set)(int);
            int (TZnHideForm::*get)() const;
            int bad;
            const char16_t *message;
        } cases[] = {
            { &TZnHideForm::SetEdgeSpace, &TZnHideForm::EdgeSpace, 0, u"请填写1-50以内的数字" },
            { &TZnHideForm::SetEdgeSpace, &TZnHideForm::EdgeSpace, 51, u"请填写1-50以内的数字" },
            { &TZnHideForm::SetValidSpace, &TZnHideForm::ValidSpace, 4, u"请填写5-50以内的数字" },
            { &TZnHideForm::SetValidSpace, &TZnHideForm::ValidSpace, 51, u"请填写5-50以内的数字" },
        };
        for (const auto &c : cases) {
            const int before = (z.*c.get)();
            try {
                (z.*c.set)(c.bad);
                QFAIL(qPrintable(QStringLiteral("accepted %1").arg(c.bad)));
            } catch (const AppError &e) {
                QCOMPARE(e.message(), QString::fromUtf16(c.message));
            }
            QCOMPARE((z.*c.get)(), before);
        }
        z.SetEdgeSpace(1);
        z.SetEdgeSpace(50);
        QCOMPARE(z.EdgeSpace(), 50);
        z.SetValidSpace(5);
        z.SetValidSpace(50);
        QCOMPARE(z.ValidSpace(), 50);
    }

    void autoDockOnAndOff()
    {
        Form f;
        TZnHideForm z(&f.window, f.platform);
        z.SetAutoDock(true);
        QVERIFY(z.isHooked());
        QCOMPARE(z.lastRect(), QRect(200, 200, FormWidth, FormHeight));
        QVERIFY(z.utilityTimer());
        QVERIFY(z.utilityTimer()->isActive());
        // A form already at an edge is not docked until it is dragged.
        QCOMPARE(z.DockPos(), dpNone);

        dragTo(f, { 200, 5 });
        QCOMPARE(z.DockPos(), dpTop);
        z.SetAutoDock(false);
        QVERIFY(!z.isHooked());
        QVERIFY(!z.utilityTimer());
        QCOMPARE(z.DockPos(), dpNone);
        QCOMPARE(f.window.pos(), QPoint(200, 0));

        // Unhooked: drags are no longer snapped and leaving does not hide.
        QCOMPARE(dragTo(f, { 200, 4 }).top(), 4);
        pointerTo({ 700, 500 });
        sendPointer(f.window, QEvent::Leave);
        QCOMPARE(f.window.pos(), QPoint(200, 4));
        QVERIFY(!z.isHidden());
    }

    void snapsToTheTopWhileMovingUpOrSideways()
    {
        Form f;
        TZnHideForm z(&f.window, f.platform);
        int docked = 0;
        z.SetDockEvent([&](TDockPos p) {
            QCOMPARE(p, dpTop);
            ++docked;
        });
        z.SetAutoDock(true);

        QCOMPARE(dragTo(f, { 200, 10 }).top(), 10); // not yet near enough
        QCOMPARE(z.DockPos(), dpNone);
        QCOMPARE(dragTo(f, { 210, 9 }), QRect(210, 0, FormWidth, FormHeight));
        QCOMPARE(z.DockPos(), dpTop);
        QCOMPARE(f.window.pos(), QPoint(210, 0));
        // Every step along the edge reports the dock again.
        dragTo(f, { 250, 0 });
        QCOMPARE(docked, 2);

        // Moving down from the edge is never pulled back, even within the distance.
        QCOMPARE(dragTo(f, { 250, 5 }).top(), 5);
        QCOMPARE(z.DockPos(), dpNone);
        QCOMPARE(dragTo(f, { 250, 9 }).top(), 9);
        // Sideways at the same height snaps again.
        QCOMPARE(dragTo(f, { 300, 9 }).top(), 0);
        QCOMPARE(z.DockPos(), dpTop);
        QCOMPARE(docked, 3);
        QCOMPARE(z.lastRect(), QRect(300, 0, FormWidth, FormHeight));
    }

    void snapsToTheSidesInTheirDirectionOnly()
    {
        Form f;
        TZnHideForm z(&f.window, f.platform);
        z.SetAutoDock(true);
        const int sw = screenWidth();

        // Nine pixels from the right edge while moving right.
        QCOMPARE(dragTo(f, { sw - FormWidth - 9, 200 }), QRect(sw - FormWidth, 200, FormWidth, FormHeight));
        QCOMPARE(z.DockPos(), dpRight);
        // Moving left near the right edge stays where it is.
        QCOMPARE(dragTo(f, { sw - FormWidth - 5, 200 }).left(), sw - FormWidth - 5);
        QCOMPARE(z.DockPos(), dpNone);

        QCOMPARE(dragTo(f, { 8, 200 }).left(), 0);
        QCOMPARE(z.DockPos(), dpLeft);
        QCOMPARE(dragTo(f, { 6, 200 }).left(), 6); // moving right, away from the left edge
        QCOMPARE(z.DockPos(), dpNone);

        // Dragged partly off the screen, the window comes back onto the edge.
        QCOMPARE(dragTo(f, { -50, 200 }).left(), 0);
        QCOMPARE(dragTo(f, { 0, 300 }).left(), 0);
        QCOMPARE(dragTo(f, { 60, -40 }).top(), 0);
        QCOMPARE(dragTo(f, { sw - FormWidth + 40, 150 }).left(), sw - FormWidth);
        QCOMPARE(z.DockPos(), dpRight);
    }

    void aCornerCountsAsTopAndHidesUpwards()
    {
        Form f;
        TZnHideForm z(&f.window, f.platform);
        z.SetAutoDock(true);
        QCOMPARE(dragTo(f, { 4, 4 }), QRect(4, 0, FormWidth, FormHeight));
        QCOMPARE(dragTo(f, { 0, 0 }), QRect(0, 0, FormWidth, FormHeight));
        QCOMPARE(z.DockPos(), dpTop);
        pointerTo({ 150, 100 });
        pointerTo({ 700, 500 });
        QTRY_VERIFY(z.isHidden());
        QCOMPARE(f.window.pos(), QPoint(0, 3 - FormHeight));
    }

    void hidesWhenThePointerLeavesAndComesBackOnTheStrip()
    {
        Form f;
        TZnHideForm z(&f.window, f.platform);
        z.SetAutoDock(true);
        dragTo(f, { 200, 5 });
        pointerTo({ 350, 100 }); // inside

        // From one control to the other: the window keeps its place.
        pointerTo(f.left->mapToGlobal(QPoint(5, 5)));
        pointerTo(f.right->mapToGlobal(QPoint(5, 5)));
        sendPointer(f.window, QEvent::Leave);
        QVERIFY(!z.isHidden());
        QCOMPARE(f.window.pos(), QPoint(200, 0));

        pointerTo({ 700, 500 });
        QTRY_VERIFY(z.isHidden());
        QCOMPARE(f.window.pos(), QPoint(200, 3 - FormHeight));
        QCOMPARE(f.window.frameGeometry().bottom() + 1, 3);

        pointerTo({ 300, 1 }); // on the strip
        QTRY_VERIFY(!z.isHidden());
        QCOMPARE(f.window.pos(), QPoint(200, 0));
        // The docked place of the last drag is kept through hiding and showing.
        QCOMPARE(z.lastRect(), QRect(200, 0, FormWidth, FormHeight));
    }

    void hidesAtTheLeftAndRightLeavingEdgeSpace()
    {
        Form f;
        TZnHideForm z(&f.window, f.platform);
        z.SetAutoDock(true);
        const int sw = screenWidth();

        dragTo(f, { 7, 250 });
        pointerTo({ 100, 300 });
        pointerTo({ 700, 580 });
        QTRY_VERIFY(z.isHidden());
        QCOMPARE(f.window.pos(), QPoint(3 - FormWidth, 250));
        pointerTo({ 1, 300 });
        QTRY_VERIFY(!z.isHidden());
        QCOMPARE(f.window.pos(), QPoint(0, 250));

        z.SetEdgeSpace(10);
        dragTo(f, { 300, 250 });
        dragTo(f, { sw - FormWidth - 2, 250 });
        QCOMPARE(z.DockPos(), dpRight);
        pointerTo({ sw - 100, 300 });
        pointerTo({ 5, 580 });
        QTRY_VERIFY(z.isHidden());
        QCOMPARE(f.window.pos(), QPoint(sw - 10, 250));
        pointerTo({ sw - 4, 300 });
        QTRY_VERIFY(!z.isHidden());
        QCOMPARE(f.window.pos(), QPoint(sw - FormWidth, 250));
    }

    void hideAndShowHandlersReplaceTheMoves()
    {
        Form f;
        TZnHideForm z(&f.window, f.platform);
        QList<TDockPos> hidden, shown;
        z.SetOnHideForm([&](TDockPos p) { hidden << p; });
        z.SetOnShowForm([&](TDockPos p) { shown << p; });
        z.SetAutoDock(true);
        dragTo(f, { 5, 250 });

        pointerTo({ 700, 580 });
        sendPointer(f.window, QEvent::Leave);
        QVERIFY(z.isHidden());
        QCOMPARE(f.window.pos(), QPoint(0, 250));
        sendPointer(f.window, QEvent::Enter);
        QVERIFY(!z.isHidden());
        QCOMPARE(f.window.pos(), QPoint(0, 250));
        QVERIFY(!hidden.isEmpty());
        QCOMPARE(hidden.first(), dpLeft);
        QCOMPARE(shown.first(), dpLeft);
    }

    void dockingOffStopsHidingAndLeavesAHiddenWindowWhereItIs()
    {
        Form f;
        TZnHideForm z(&f.window, f.platform);
        z.SetAutoDock(true);
        dragTo(f, { 200, 3 });
        z.SetAutoDock(false);
        QCOMPARE(z.DockPos(), dpNone);
        pointerTo({ 700, 500 });
        sendPointer(f.window, QEvent::Leave);
        QCOMPARE(f.window.pos(), QPoint(200, 0));

        z.SetAutoDock(true);
        dragTo(f, { 200, 100 });
        dragTo(f, { 200, 3 });
        sendPointer(f.window, QEvent::Leave);
        QVERIFY(z.isHidden());
        QVERIFY(f.platform.hasFreePlacement(f.window.windowHandle()));
        z.SetAutoDock(false);
        // An ordinary window again, left where it was.
        QVERIFY(!f.platform.hasFreePlacement(f.window.windowHandle()));
        QVERIFY(!z.isHidden());
        sendPointer(f.window, QEvent::Enter);
        QCOMPARE(f.window.pos(), QPoint(200, 3 - FormHeight));
    }

    void movesByOthersChangeTheDockingAndOurOwnReportsDoNot()
    {
        Form f;
        TZnHideForm z(&f.window, f.platform);
        z.SetAutoDock(true);
        // Several drag steps before the window system reports any of them back.
        dragTo(f, { 200, 100 });
        dragTo(f, { 200, 9 });
        dragTo(f, { 220, 0 });
        QCoreApplication::processEvents();
        QCOMPARE(z.DockPos(), dpTop);
        QCOMPARE(z.lastRect(), QRect(220, 0, FormWidth, FormHeight));

        // The window manager (Alt+drag, a keyboard move) takes it to the middle: no longer
        // docked, so leaving does not send it back to the old edge.
        f.window.move(400, 300);
        QCoreApplication::processEvents();
        QCOMPARE(z.DockPos(), dpNone);
        QCOMPARE(z.lastRect(), QRect(400, 300, FormWidth, FormHeight));
        pointerTo({ 450, 350 });
        pointerTo({ 5, 580 });
        QCOMPARE(f.window.pos(), QPoint(400, 300));
        QVERIFY(!z.isHidden());

        // ... and onto the left edge: docked there, hiding to the left.
        f.window.move(0, 250);
        QCoreApplication::processEvents();
        QCOMPARE(z.DockPos(), dpLeft);
        pointerTo({ 100, 300 });
        pointerTo({ 700, 580 });
        QTRY_VERIFY(z.isHidden());
        QCOMPARE(f.window.pos(), QPoint(3 - FormWidth, 250));
        pointerTo({ 1, 300 });
        QTRY_VERIFY(!z.isHidden());
        QCoreApplication::processEvents();
        QCOMPARE(z.DockPos(), dpLeft);
        QCOMPARE(z.lastRect(), QRect(0, 250, FormWidth, FormHeight));
    }

    void hidesOnceADialogClosesWithThePointerOutside()
    {
        Form f;
        TZnHideForm z(&f.window, f.platform);
        z.SetAutoDock(true);
        dragTo(f, { 200, 5 });
        pointerTo({ 350, 100 });

        // No Leave reaches a window that a dialog blocks.
        auto dialog = std::make_unique<QDialog>(&f.window);
        dialog->setWindowModality(Qt::WindowModal);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        pointerTo({ 700, 500 });
        dialog->close();
        QTRY_VERIFY_WITH_TIMEOUT(z.isHidden(), 2 * TZnHideForm::UtilityTimerInterval);
        QCOMPARE(f.window.pos(), QPoint(200, 3 - FormHeight));

        // Closed with the pointer inside, the window stays.
        pointerTo({ 300, 1 });
        QTRY_VERIFY(!z.isHidden());
        dialog = std::make_unique<QDialog>(&f.window);
        dialog->setWindowModality(Qt::WindowModal);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        pointerTo({ 350, 100 });
        dialog->close();
        QSignalSpy tick(z.utilityTimer(), &QTimer::timeout);
        QVERIFY(tick.wait(2 * TZnHideForm::UtilityTimerInterval));
        QVERIFY(!z.isHidden());
    }

    void alwaysTopSwitchesTheNativeWindowWithoutShowingItAgain()
    {
        Form f;
        TZnHideForm z(&f.window, f.platform);
        QWindow *native = f.window.windowHandle();
        int shows = 0;
        struct ShowCounter : QObject
        {
            int *count;
            explicit ShowCounter(int *c)
                : count(c)
            {
            }
            bool eventFilter(QObject *, QEvent *e) override
            {
                if (e->type() == QEvent::Show || e->type() == QEvent::Hide)
                    ++*count;
                return false;
            }
        } counter(&shows);
        f.window.installEventFilter(&counter);

        z.SetAlwaysTop(true);
        QVERIFY(native->flags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(f.window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(f.platform.skipsTaskbar(native));
        z.SetAlwaysTop(true);
        QVERIFY(native->flags().testFlag(Qt::WindowStaysOnTopHint));

        z.SetAlwaysTop(false);
        QVERIFY(!native->flags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!f.platform.skipsTaskbar(native));
        QCOMPARE(f.window.windowHandle(), native);
        QCOMPARE(shows, 0);
        QVERIFY(f.window.isVisible());
    }
};

QTEST_MAIN(TestZnHideForm)
#include "tst_znhideform.moc"
