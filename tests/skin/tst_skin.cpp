#include "skin/MovingEvent.h"
#include "skin/SkinTitleBar.h"

#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

namespace {

// Stands in for the docking logic: records every proposed rectangle and may change it.
class MovingRecorder : public QObject
{
public:
    QList<QRect> proposed;
    int snapWithin = 0; // snaps the top to the screen's top edge when this close

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == MovingEvent::eventType()) {
            QRect &rect = static_cast<MovingEvent *>(event)->rect();
            proposed.append(rect);
            if (rect.top() < snapWithin)
                rect.moveTop(0);
        }
        return QObject::eventFilter(watched, event);
    }
};

struct Window
{
    QWidget window;
    SkinTitleBar *bar = new SkinTitleBar(&window, SkinTitleBar::Close);
    MovingRecorder recorder;

    Window()
    {
        window.setWindowFlag(Qt::FramelessWindowHint);
        window.setFixedSize(300, 200);
        auto *layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(bar);
        layout->addStretch();
        window.installEventFilter(&recorder);
        window.move(200, 200);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }

    // A point on the title bar, away from its buttons.
    QPoint grip() const { return QPoint(60, bar->height() / 2); }

    // Moves the held mouse so that the window's top left would reach `topLeft`.
    void dragTo(QPoint topLeft)
    {
        const QPoint offset = window.mapToGlobal(bar->mapTo(&window, grip())) - window.frameGeometry().topLeft();
        QTest::mouseMove(bar, bar->mapFromGlobal(topLeft + offset));
    }
};

} // namespace

class TestSkin : public QObject
{
    Q_OBJECT
private slots:
    // Each step of a drag is proposed to the window before it moves, in screen
    // coordinates; the window goes where the proposal ends up.
    void dragProposesEveryStep()
    {
        Window w;
        const QSize size = w.window.frameGeometry().size();
        QTest::mousePress(w.bar, Qt::LeftButton, {}, w.grip());
        w.dragTo({ 250, 180 });
        w.dragTo({ 260, 120 });
        QCOMPARE(w.recorder.proposed, (QList<QRect> { QRect(QPoint(250, 180), size), QRect(QPoint(260, 120), size) }));
        QCOMPARE(w.window.pos(), QPoint(260, 120));

        // After the release the mouse no longer drags.
        QTest::mouseRelease(w.bar, Qt::LeftButton);
        QTest::mouseMove(w.bar, w.grip() + QPoint(40, 40));
        QCOMPARE(w.recorder.proposed.size(), 2);
        QCOMPARE(w.window.pos(), QPoint(260, 120));
    }

    // What the receiver makes of the proposal is where the window goes, and the next step
    // starts again from the mouse, not from the changed place.
    void theReceiverDecidesWhereTheWindowGoes()
    {
        Window w;
        w.recorder.snapWithin = 20;
        QTest::mousePress(w.bar, Qt::LeftButton, {}, w.grip());
        w.dragTo({ 200, 15 });
        QCOMPARE(w.recorder.proposed.last().topLeft(), QPoint(200, 15));
        QCOMPARE(w.window.pos(), QPoint(200, 0));
        w.dragTo({ 210, 60 });
        QCOMPARE(w.recorder.proposed.last().topLeft(), QPoint(210, 60));
        QCOMPARE(w.window.pos(), QPoint(210, 60));
        QTest::mouseRelease(w.bar, Qt::LeftButton);
    }

    // Only the left button drags.
    void otherButtonsDoNotDrag()
    {
        Window w;
        QTest::mousePress(w.bar, Qt::RightButton, {}, w.grip());
        QTest::mouseMove(w.bar, w.grip() + QPoint(30, 30));
        QTest::mouseRelease(w.bar, Qt::RightButton);
        QVERIFY(w.recorder.proposed.isEmpty());
        QCOMPARE(w.window.pos(), QPoint(200, 200));
    }
};

QTEST_MAIN(TestSkin)
#include "tst_skin.moc"
