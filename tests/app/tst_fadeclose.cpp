#include "WindowFixture.h"
#include "window/Guard.h"

#include "info/Maker.h"
#include "platform/NullDesktopServices.h"
#include "platform/PlainWindowPlatform.h"
#include "window/TimerDlg.h"

#include <QLabel>
#include <QTimer>

#include <functional>

namespace {

// Calls back on every event of one type that reaches an object, before the object sees it.
class EventSpy : public QObject
{
public:
    EventSpy(QObject *watched, QEvent::Type type, std::function<void()> seen)
        : m_type(type)
        , m_seen(std::move(seen))
    {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == m_type)
            m_seen();
        return false;
    }

private:
    QEvent::Type m_type;
    std::function<void()> m_seen;
};

void confirmOnClose(SettingsStore &store)
{
    store.set(Settings::ExitConfirmation);
}

void makeOpaque(SettingsStore &store)
{
    store.set(Settings::Opaque);
}

} // namespace

class TestFadeClose : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { quietOpacityWarnings(); }
    void cleanup() { cancelPendingAnswers(); }

    void fadeInComesOneTickAfterShowing_data()
    {
        QTest::addColumn<bool>("opaque");
        QTest::addColumn<int>("target");
        QTest::newRow("semi-transparent") << false << 220;
        QTest::newRow("opaque") << true << 255;
    }
    void fadeInComesOneTickAfterShowing()
    {
        QFETCH(bool, opaque);
        QFETCH(int, target);
        WindowFixture f;
        if (opaque)
            makeOpaque(f.store);
        QVERIFY(f.form.Timer1->isActive());
        // What had been set when the tick came, whichever part of its second the window
        // is shown in.
        QList<QList<int>> atTicks;
        EventSpy ticks(f.form.Timer1, QEvent::Timer, [&] { atTicks << f.opacities; });

        f.form.show();
        QCOMPARE(f.opacities, QList<int> { 0 });
        QTRY_COMPARE_WITH_TIMEOUT(f.opacities.size(), 1 + fadeInValues(target).size(), DialogWaitMs);
        QCOMPARE(atTicks, QList<QList<int>> { { 0 } });
        QCOMPARE(f.opacities, QList<int> { 0 } + fadeInValues(target));
        QVERIFY(!f.form.Timer1->isActive());
        QCOMPARE(f.form.fader()->opacity(), target);
    }

    void eachShowingFadesInAgain()
    {
        WindowFixture f;
        // A tick while the window is still hidden fades the hidden window and stops the timer.
        QTRY_VERIFY_WITH_TIMEOUT(!f.form.Timer1->isActive(), DialogWaitMs);
        QCOMPARE(f.opacities, fadeInValues(220));
        f.opacities.clear();

        f.form.show();
        QCOMPARE(f.opacities, QList<int> { 0 });
        QVERIFY(f.form.Timer1->isActive());
        QTRY_COMPARE_WITH_TIMEOUT(f.opacities, QList<int> { 0 } + fadeInValues(220), DialogWaitMs);

        // Back from the tray: hidden, shown again, invisible until the next tick.
        f.form.hide();
        f.opacities.clear();
        f.form.show();
        QCOMPARE(f.opacities, QList<int> { 0 });
        QVERIFY(f.form.Timer1->isActive());
        QTRY_COMPARE_WITH_TIMEOUT(f.opacities, QList<int> { 0 } + fadeInValues(220), DialogWaitMs);
    }

    void aFadeHandlesNoEventsAndRunsOncePerShowing()
    {
        WindowFixture f;
        // A start slower than a tick: the fade timer is due while the window is shown.
        f.form.Timer1->start(1);
        QTest::qSleep(20);
        f.form.show();
        QCOMPARE(f.opacities, QList<int> { 0 });
        QTRY_COMPARE_WITH_TIMEOUT(f.opacities, QList<int> { 0 } + fadeInValues(220), DialogWaitMs);
        QVERIFY(!f.form.Timer1->isActive());

        // Whatever arrives during a fade waits for its end.
        f.opacities.clear();
        qsizetype seenAfter = -1;
        QMetaObject::invokeMethod(
            &f.form, [&] { seenAfter = f.opacities.size(); }, Qt::QueuedConnection);
        guarded(&f.form, [&] { f.form.fader()->Timer1Timer(); });
        QCOMPARE(seenAfter, -1);
        QCoreApplication::processEvents();
        QCOMPARE(seenAfter, fadeInValues(220).size());
    }

    void withoutConfirmationCloseFadesOutAndEnds()
    {
        WindowFixture f;
        f.form.show();
        f.form.Timer1->stop();
        f.opacities.clear();
        ScriptedDialog none(f.messages());
        QVERIFY(f.form.close());
        QVERIFY(!none.seen());
        // The window was never faded in: the fade-out still starts at the stored target.
        QCOMPARE(f.opacities, fadeOutValues(220));
        QCOMPARE(f.quits, 1);
        QCOMPARE(f.opener.addresses, QStringList { Maker::PersonalSpacePage });
        QSettings ini(f.store.filePath(), QSettings::IniFormat);
        ini.beginGroup(QStringLiteral("Software/zeltoqzone"));
        QCOMPARE(ini.childKeys().size(), 3);
        QCOMPARE(ini.value(QStringLiteral("rjname")).toString(), QStringLiteral("Zelto签名字符2008"));
    }

    void fadeOutOfAnOpaqueWindowStartsAt255()
    {
        WindowFixture f;
        makeOpaque(f.store);
        f.form.show();
        f.form.Timer1->stop();
        f.opacities.clear();
        QVERIFY(f.form.close());
        QCOMPARE(f.opacities, fadeOutValues(255));
    }

    void theFirstCloseOpensThePageOncePerUser()
    {
        ScratchDir shared;
        const QString path = shared.path(QStringLiteral("config/zelto/settings.ini"));
        RecordingOpener opener;
        InstanceLock lock(ApplicationTitle, shared.path(QStringLiteral("runtime")));
        PlainWindowPlatform windowPlatform;
        NullDesktopServices desktopServices;
        for (int run = 0; run < 2; ++run) {
            SettingsStore store(path);
            TForm1 form(FormServices { store, opener, lock, windowPlatform, desktopServices });
            form.closeSequence()->setQuit([] {});
            form.show();
            QVERIFY(form.close());
        }
        QCOMPARE(opener.addresses, QStringList { Maker::PersonalSpacePage });
    }

    void unansweredConfirmationClosesAfterTenSeconds()
    {
        WindowFixture f;
        confirmOnClose(f.store);
        f.form.setWindowTitle(QStringLiteral("Zelto签名字符2008 V4.0.3 Data version 2026.12"));
        f.form.show();
        f.form.Timer1->stop();
        f.opacities.clear();
        FakeTicks ticks;

        QString text;
        QStringList titles;
        bool openedAfterNineSeconds = false;
        onNextModal([&](QWidget *w) {
            if (auto *label = w->findChild<QLabel *>(QStringLiteral("Message")))
                text = label->text();
            autoClose().AutoCloseTick(); // finds the dialog
            autoClose().AutoCloseTick();
            titles << w->windowTitle();
            FakeTicks::advance(9000);
            autoClose().AutoCloseTick();
            titles << w->windowTitle();
            openedAfterNineSeconds = w->isVisible();
            FakeTicks::advance(1000);
            autoClose().AutoCloseTick();
        });
        QVERIFY(f.form.close());
        QCOMPARE(text, QStringLiteral("您真的要退出Zelto签名字符2008 V4.0.3 Data version 2026.12?"));
        QCOMPARE(titles, (QStringList { "(10)  信息", "(1)  信息" }));
        QVERIFY(openedAfterNineSeconds);
        QCOMPARE(f.quits, 1);
        QCOMPARE(f.opacities, fadeOutValues(220));
    }

    void answeringNoKeepsTheProgramRunning()
    {
        WindowFixture f;
        confirmOnClose(f.store);
        f.form.show();
        f.form.Timer1->stop();
        f.opacities.clear();
        ScriptedDialog no(f.messages(), mrNo);
        QVERIFY(!f.form.close());
        QVERIFY(no.seen());
        QCOMPARE(no.shown().buttons, mbYesNoSet);
        QVERIFY(f.form.isVisible());
        QCOMPARE(f.quits, 0);
        QVERIFY(f.opacities.isEmpty());
        QVERIFY(f.opener.addresses.isEmpty());
        QVERIFY(!f.store.isSet(Settings::CloseMarker));

        // A dialog closed without any of its buttons lets the close go on.
        ScriptedDialog closed(f.messages(), mrCancel);
        QVERIFY(f.form.close());
        QVERIFY(closed.seen());
        QCOMPARE(f.quits, 1);
    }

    void everyExitCommandGoesThroughTheSameClose()
    {
        {
            WindowFixture f;
            confirmOnClose(f.store);
            f.form.show();
            ScriptedDialog no(f.messages(), mrNo);
            f.action("N4")->trigger();
            QVERIFY(no.seen());
            QVERIFY(f.form.isVisible());
            QCOMPARE(f.action("N4")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_F4));
        }
        {
            WindowFixture f;
            f.form.show();
            f.action("N4")->trigger();
            QCOMPARE(f.quits, 1);
            QVERIFY(!f.form.isVisible());
        }
        {
            WindowFixture f;
            f.form.show();
            f.form.closeSequence()->N10Click();
            QCOMPARE(f.quits, 1);
        }
    }

    void unwritableStoreStillLetsTheProgramEnd()
    {
        WindowFixture f(QStringLiteral("blocked/settings.ini"));
        QFile blocker(QStringLiteral("blocked"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        f.form.show();
        f.form.Timer1->stop();
        f.opacities.clear();

        QString title;
        qsizetype fadedBeforeError = -1;
        onNextModal([&](QWidget *w) {
            title = w->windowTitle();
            fadedBeforeError = f.opacities.size();
            postKey(w, Qt::Key_Return);
        });
        QVERIFY(f.form.close());
        QCOMPARE(title, ApplicationTitle);
        QCOMPARE(fadedBeforeError, 0);
        QCOMPARE(f.opacities, fadeOutValues(220));
        QCOMPARE(f.quits, 1);
        QVERIFY(f.opener.addresses.isEmpty());
    }

    // The fade cannot read its target: the window is shown whole and the error comes once.
    void unreadableStoreShowsTheWindowOpaque()
    {
        WindowFixture f;
        QVERIFY(QDir().mkpath(f.store.filePath())); // a folder in the file's place
        f.form.show();
        QStringList titles;
        std::function<void(QWidget *)> answer = [&](QWidget *w) {
            titles << w->windowTitle();
            postKey(w, Qt::Key_Return);
        };
        onNextModal(answer);
        guarded(&f.form, [&] { f.form.fader()->Timer1Timer(); });
        QCOMPARE(titles, QStringList { ApplicationTitle });
        QVERIFY(!f.form.Timer1->isActive());
        QCOMPARE(f.form.fader()->opacity(), 255);
    }

    void unreadableStoreStillLetsTheProgramEnd()
    {
        WindowFixture f;
        QVERIFY(QDir().mkpath(f.store.filePath())); // a folder in the file's place
        f.form.show();
        f.form.Timer1->stop();

        QStringList titles;
        std::function<void(QWidget *)> answer = [&](QWidget *w) {
            titles << w->windowTitle();
            postKey(w, Qt::Key_Return);
            onNextModal(answer, w);
        };
        onNextModal(answer);
        QVERIFY(f.form.close());
        QCOMPARE(f.quits, 1);
        QVERIFY(!titles.isEmpty());
        QCOMPARE(titles.first(), ApplicationTitle); // the error box, not the question
    }
};

QTEST_MAIN(TestFadeClose)
#include "tst_fadeclose.moc"
