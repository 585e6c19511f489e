#include "catalogue/CollectionFile.h"
#include "platform/AppError.h"
#include "support/Files.h"
#include "support/ToolSupport.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <cerrno>
#include <sys/stat.h>

class TestCollectionFile : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_work.enter());
        QVERIFY(QDir().mkdir(QStringLiteral("data")));
    }
    void cleanup() { m_work.leave(); }

    void paths()
    {
        QCOMPARE(CollectionFile::path(1), QStringLiteral("data/1.zelto"));
        QCOMPARE(CollectionFile::path(19), QStringLiteral("data/19.zelto"));
    }

    void text_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("CR LF kept") << QByteArray("a\r\nb\r\n") << QStringLiteral("a\r\nb\r\n");
        QTest::newRow("bare LF") << QByteArray("a\nb\n\nc") << QStringLiteral("a\r\nb\r\n\r\nc");
        QTest::newRow("lone CR") << QByteArray("a\rb\r") << QStringLiteral("a\r\nb\r\n");
        QTest::newRow("LF CR is two breaks") << QByteArray("a\n\rb") << QStringLiteral("a\r\n\r\nb");
        QTest::newRow("CR CR LF") << QByteArray("\r\r\n") << QStringLiteral("\r\n\r\n");
        QTest::newRow("GBK") << QByteArray("\xC4\xE3\xBA\xC3\n\x80") << QStringLiteral("你好\r\n€");
        QTest::newRow("private use") << QByteArray("\xFE\x51\xFE\x52") << QString(QChar(0xE816)) + QChar(0xE817);
        // A zero byte no longer cuts the text off; it is left out.
        QTest::newRow("zero bytes") << QByteArray("ab\0c\xC4\xE3\0", 7) + QByteArray("\r\0\nd", 4)
                                    << QStringLiteral("abc你\r\nd");
    }
    void text()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        QVERIFY(writeFile(QStringLiteral("data/3.zelto"), bytes));
        QCOMPARE(CollectionFile::load(CollectionFile::path(3)), expected);
    }

    void unreadable_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("error");
        QTest::newRow("missing") << "data/5.zelto" << ENOENT;
        QTest::newRow("missing folder") << "nowhere/../nowhere/5.zelto" << ENOENT;
        QTest::newRow("folder") << "data" << EISDIR;
        // Opening these could block or never end; they are refused before being read.
        QTest::newRow("fifo") << "data/6.zelto" << EINVAL;
        QTest::newRow("link to a fifo") << "data/7.zelto" << EINVAL;
        QTest::newRow("device") << "data/8.zelto" << EINVAL;
    }
    void unreadable()
    {
        QFETCH(QString, path);
        QFETCH(int, error);
        QCOMPARE(::mkfifo("data/6.zelto", 0644), 0);
        QVERIFY(QFile::link(QStringLiteral("6.zelto"), QStringLiteral("data/7.zelto")));
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), QStringLiteral("data/8.zelto")));
        const QString full = QDir::cleanPath(QDir::current().absoluteFilePath(path));
        QCOMPARE(errorOf(path), QStringLiteral("Cannot open file \"%1\". %2").arg(full, qt_error_string(error)));
        QVERIFY(full.startsWith(QLatin1Char('/')));
    }

    void tooLargeForMemo()
    {
        QFile f(QStringLiteral("data/1.zelto"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.resize(CollectionFile::MemoCapacity + 1));
        f.close();
        QCOMPARE(errorOf(QStringLiteral("data/1.zelto")), QStringLiteral("Text exceeds memo capacity"));
    }

private:
    static QString errorOf(const QString &path)
    {
        try {
            CollectionFile::load(path);
        } catch (const AppError &e) {
            return e.message();
        }
        return QStringLiteral("(no error)");
    }

    WorkingFolder m_work;
};

QTEST_GUILESS_MAIN(TestCollectionFile)
#include "tst_collectionfile.moc"
