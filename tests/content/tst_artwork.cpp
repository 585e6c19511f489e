// The rendered artwork: the About picture inside the browse library, the theme icons, and the
// render tool's refusals of sources that would not come out as drawn.

#include "support/ToolSupport.h"
#include "tools/artwork/ArtworkSource.h"

#include <QFile>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

ToolRun artwork(const QStringList &args)
{
    return runTool(QStringLiteral(ZELTO_ARTWORK), args);
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString writeSvg(const QTemporaryDir &dir, const QString &name, const QByteArray &body, int w = 40, int h = 20)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(QStringLiteral(
                    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" viewBox=\"0 0 %1 %2\">")
                    .arg(w)
                    .arg(h)
                    .toUtf8()
            + body + "</svg>\n");
    return path;
}

const QByteArray Shapes = "<rect x=\"0\" y=\"0\" width=\"20\" height=\"20\" fill=\"#2f6f99\"/>";

} // namespace

class TestArtwork : public QObject
{
    Q_OBJECT

private slots:
    void aboutPictureIsEmbedded()
    {
        const QByteArray embedded = readBytes(QStringLiteral(":/browse/about.jpg"));
        QVERIFY2(!embedded.isEmpty(), "the browse library carries no About picture");
        QVERIFY(embedded.startsWith("\xFF\xD8\xFF"));
        QCOMPARE(embedded, readBytes(QStringLiteral(ZELTO_ART_DIR "/about.jpg")));

        const QImage picture = QImage::fromData(embedded);
        QCOMPARE(picture.size(), QSize(500, 300));
        // A picture, not a flat fill from a source that drew nothing.
        QSet<QRgb> colours;
        for (int y = 0; y < picture.height(); y += 7)
            for (int x = 0; x < picture.width(); x += 7)
                colours.insert(picture.pixel(x, y));
        QVERIFY2(colours.size() > 200, qPrintable(QString::number(colours.size())));

        // Screens scaled by 2 get the picture drawn at twice the size, not enlarged.
        const QImage sharp = QImage::fromData(readBytes(QStringLiteral(":/browse/about@2x.jpg")));
        QCOMPARE(sharp.size(), QSize(1000, 600));
        const QImage halved = sharp.scaled(500, 300, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QVERIFY(qAbs(qGray(halved.pixel(250, 150)) - qGray(picture.pixel(250, 150))) < 40);
    }

    void themeIcons_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("size");
        for (int size : { 16, 32, 48, 128, 256 }) {
            QTest::addRow("%d", size) << QStringLiteral("%1x%1").arg(size) << size;
            QTest::addRow("%d@2", size) << QStringLiteral("%1x%1@2").arg(size) << size * 2;
        }
    }

    void themeIcons()
    {
        QFETCH(QString, folder);
        QFETCH(int, size);
        const QString path = QStringLiteral(ZELTO_ICON_THEME_DIR "/%1/apps/zelto.png").arg(folder);
        QVERIFY2(readBytes(path).startsWith("\x89PNG"), qPrintable(path));
        const QImage icon(path);
        QCOMPARE(icon.size(), QSize(size, size));
        QVERIFY(icon.hasAlphaChannel());
        QCOMPARE(qAlpha(icon.pixel(0, size - 1)), 0);
        QCOMPARE(qAlpha(icon.pixel(size / 2, size / 2)), 255);
    }

    void fontFamilies_data()
    {
        QTest::addColumn<QByteArray>("svg");
        QTest::addColumn<QStringList>("families");
        QTest::newRow("none") << Shapes << QStringList();
        QTest::newRow("attribute") << QByteArray("<text font-family=\"WenQuanYi Micro Hei\">a</text>")
                                   << QStringList { QStringLiteral("WenQuanYi Micro Hei") };
        QTest::newRow("single quotes, list, generic")
            << QByteArray("<text font-family='A Font, \"B Font\", sans-serif'>a</text>")
            << QStringList { QStringLiteral("A Font"), QStringLiteral("B Font") };
        QTest::newRow("style declaration")
            << QByteArray("<text style=\"fill:#fff; font-family: 'C Font', Serif; font-size:12px\">a</text>")
            << QStringList { QStringLiteral("C Font") };
        QTest::newRow("each once, first use first") << QByteArray(
            "<text font-family=\"B\">a</text><text font-family=\"A\">b</text><text font-family=\"B\">c</text>")
                                                    << QStringList { QStringLiteral("B"), QStringLiteral("A") };
    }

    void fontFamilies()
    {
        QFETCH(QByteArray, svg);
        QFETCH(QStringList, families);
        QCOMPARE(ArtworkSource::fontFamilies(svg), families);
    }

    void rendersPngWithTransparencyAndJpegOnWhite()
    {
        QTemporaryDir dir;
        const QString source = writeSvg(dir, QStringLiteral("half.svg"), Shapes);

        const QString png = dir.filePath(QStringLiteral("out/deeper/half.png"));
        ToolRun run = artwork({ source, png, QStringLiteral("80x40") });
        QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
        QImage image(png);
        QCOMPARE(image.size(), QSize(80, 40));
        QCOMPARE(image.pixel(10, 10), qRgb(0x2f, 0x6f, 0x99));
        QCOMPARE(qAlpha(image.pixel(70, 30)), 0);

        const QString jpg = dir.filePath(QStringLiteral("half.jpg"));
        run = artwork({ source, jpg, QStringLiteral("80x40") });
        QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
        image = QImage(jpg);
        QCOMPARE(image.size(), QSize(80, 40));
        QVERIFY(qGray(image.pixel(70, 30)) > 245);
    }

    void refusesFaultySources_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("message");
        QTest::newRow("font not installed")
            << QByteArray("<text x=\"1\" y=\"15\" font-family=\"No Such Font Anywhere\">字</text>")
            << QStringLiteral("40x20") << QStringLiteral("No Such Font Anywhere");
        QTest::newRow("distorted") << Shapes << QStringLiteral("40x40") << QStringLiteral("undistorted");
        QTest::newRow("unresolved paint") << QByteArray("<rect width='10' height='10' fill='url(#nowhere)'/>")
                                          << QStringLiteral("40x20") << QStringLiteral("nowhere");
        QTest::newRow("not an image") << QByteArray("<rect") << QStringLiteral("40x20") << QStringLiteral("SVG");
    }

    void refusesFaultySources()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, size);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("out.png"));
        const ToolRun run = artwork({ writeSvg(dir, QStringLiteral("faulty.svg"), body), out, size });
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.errors.contains(message), qPrintable(run.errors));
        QVERIFY2(run.errors.contains(QStringLiteral("faulty.svg")), qPrintable(run.errors));
        QVERIFY(!QFile::exists(out));
    }
};

QTEST_MAIN(TestArtwork)
#include "tst_artwork.moc"
