#include "catalogue/Catalogue.h"
#include "info/DataInfoCommand.h"
#include "support/CatalogueFixture.h"
#include "support/TestSupport.h"
#include "support/ToolSupport.h"
#include "window/Guard.h"
#include "window/MessageDialog.h"
#include "window/TbsSkinMessage.h"
#include "window/TimerDlg.h"

class TestDataInfoCommand : public QObject
{
    Q_OBJECT
private:
    struct Seen
    {
        QString text;
        QString title;
        bool openJustBefore = false;
        bool closedAtTimeout = false;
    };

    // Lets the armed notice run to just before its time-out, then past it.
    static std::shared_ptr<Seen> watchTimedNotice(int timeoutMs)
    {
        auto seen = std::make_shared<Seen>();
        onNextModal([seen, timeoutMs](QWidget *w) {
            autoClose().AutoCloseTick(); // finds the dialog
            if (auto *dialog = qobject_cast<MessageDialog *>(w))
                seen->text = dialog->text();
            seen->title = autoClose().savedTitle();
            FakeTicks::advance(quint32(timeoutMs - 500));
            autoClose().AutoCloseTick();
            seen->openJustBefore = w->isVisible() && autoClose().target() == w;
            FakeTicks::advance(1000);
            autoClose().AutoCloseTick(); // presses Enter
            seen->closedAtTimeout = !autoClose().isArmed();
        });
        return seen;
    }

private slots:
    void init() { QVERIFY(m_work.enter()); }
    void cleanup()
    {
        m_work.leave();
        cancelPendingAnswers();
    }

    void text()
    {
        const QString text = DataInfoCommand::text(1, 2, 3, 4, QStringLiteral("v"));
        QCOMPARE(text.split(QStringLiteral("\r\r")),
            QStringList(
                { QStringLiteral("数据信息"), QStringLiteral("经典个性签名:1条"), QStringLiteral("〖经典个性网名〗"),
                    QStringLiteral("个性情侣网名:2条"), QStringLiteral("个性男生网名:3条"),
                    QStringLiteral("个性女生网名4条"), QStringLiteral("数据版本：Data version v") }));
        QVERIFY(!text.contains(u'\n'));
        QVERIFY(DataInfoCommand::text(0, 120000, 0, 0, QString()).contains(QStringLiteral(":120000条")));
    }

    // Counts and version are read at the time of the click; the notice closes after 20 s.
    void showsTheCountsAtTheClick()
    {
        QVERIFY(writeCatalogue(QStringLiteral("zeltodata.dll"), { QStringLiteral("a"), QStringLiteral("b") },
            { QStringLiteral("c") }, {}, {}, QStringLiteral("7.1")));
        Catalogue c;
        c.OpenQueries();
        QWidget owner;
        TbsSkinMessage messages(&owner);
        DataInfoCommand command(&c, &messages);
        ScriptedDialog notice(messages);
        command.N64Click();
        QVERIFY(notice.seen());
        QCOMPARE(notice.text(), DataInfoCommand::text(2, 1, 0, 0, QStringLiteral("7.1")));
        QCOMPARE(notice.shown().kind, mtInformation);
        QCOMPARE(notice.shown().timeoutMs, 20000);
    }

    // Without a version the error goes to the guard's error box, which the armed
    // auto-close then closes.
    void withoutVersionTheErrorBoxClosesItself()
    {
        QVERIFY(writeCatalogue(QStringLiteral("zeltodata.dll"), { QStringLiteral("a") }, {}, {}, {}, QVariant()));
        Catalogue c;
        c.OpenQueries();
        QWidget owner;
        TbsSkinMessage messages(&owner);
        DataInfoCommand command(&c, &messages);
        FakeTicks ticks;
        const auto seen = watchTimedNotice(20000);
        guarded(&owner, [&] { command.N64Click(); });
        QCOMPARE(seen->text, QStringLiteral("Could not convert variant of type (Null) into type (String)"));
        QVERIFY(seen->closedAtTimeout);
    }

private:
    WorkingFolder m_work;
};

QTEST_MAIN(TestDataInfoCommand)
#include "tst_datainfocommand.moc"
