// Renders the program's SVG artwork into the images the build embeds and installs:
//   artwork SOURCE.svg OUTPUT.jpg|OUTPUT.png WIDTHxHEIGHT
// Exit status 0 on success, 1 on a fault in the source, 2 on a usage or output error.

#include "ArtworkSource.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>
#include <QTextStream>

#include <cmath>

namespace {

// Qt SVG reports what it cannot draw only as a warning and draws the rest; for artwork
// that must look exactly as written, each such warning is a fault of the source.
QStringList svgWarnings;
QtMessageHandler previousHandler = nullptr;

void collectSvgWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtDebugMsg && type != QtInfoMsg && context.category
        && QByteArrayView(context.category).startsWith("qt.svg")) {
        svgWarnings.append(message);
        return;
    }
    // Start-up chatter of the offscreen platform would only clutter the build log.
    if (previousHandler && (type == QtCriticalMsg || type == QtFatalMsg))
        previousHandler(type, context, message);
}

struct Fault
{
    int status;
    QString text;
};

QSize parseSize(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('x'));
    bool okW = false;
    bool okH = false;
    const int w = parts.size() == 2 ? parts[0].toInt(&okW) : 0;
    const int h = parts.size() == 2 ? parts[1].toInt(&okH) : 0;
    if (!okW || !okH || w <= 0 || h <= 0 || w > 4096 || h > 4096)
        throw Fault { 2, QStringLiteral("error: size \"%1\" is not WIDTHxHEIGHT").arg(text) };
    return { w, h };
}

QImage render(const QString &sourcePath, const QByteArray &svg, QSize size, bool opaque)
{
    QStringList missing;
    const QStringList installed = QFontDatabase::families();
    for (const QString &family : ArtworkSource::fontFamilies(svg)) {
        if (!installed.contains(family, Qt::CaseInsensitive))
            missing.append(family);
    }
    if (!missing.isEmpty())
        throw Fault { 1,
            QStringLiteral("%1: error: font not installed: %2").arg(sourcePath, missing.join(QStringLiteral(", "))) };

    QSvgRenderer renderer;
    if (!renderer.load(svg) || !renderer.isValid())
        throw Fault { 1, QStringLiteral("%1: error: not a readable SVG image").arg(sourcePath) };

    const QSizeF box = renderer.viewBoxF().size();
    if (box.isEmpty())
        throw Fault { 1, QStringLiteral("%1: error: the image has no size").arg(sourcePath) };
    const double drawn = box.width() / box.height();
    const double wanted = double(size.width()) / size.height();
    if (std::abs(drawn - wanted) > 0.01 * wanted)
        throw Fault { 1,
            QStringLiteral("%1: error: drawn as %2 x %3, which does not scale to %4 x %5 undistorted")
                .arg(sourcePath)
                .arg(box.width())
                .arg(box.height())
                .arg(size.width())
                .arg(size.height()) };

    QImage image(size, opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    image.fill(opaque ? Qt::white : Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.setRenderHint(QPainter::TextAntialiasing);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    if (!svgWarnings.isEmpty())
        throw Fault { 1, QStringLiteral("%1: error: %2").arg(sourcePath, svgWarnings.join(QStringLiteral("; "))) };
    return image;
}

void write(const QImage &image, const QString &outPath)
{
    const QString suffix = QFileInfo(outPath).suffix().toLower();
    QByteArray format;
    int quality = -1;
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) {
        format = "jpeg";
        quality = 92;
    } else if (suffix == QLatin1String("png")) {
        format = "png";
    } else {
        throw Fault { 2, QStringLiteral("%1: error: the output must end in .jpg or .png").arg(outPath) };
    }

    if (!QDir().mkpath(QFileInfo(outPath).absolutePath()))
        throw Fault { 2, QStringLiteral("%1: error: cannot create its folder").arg(outPath) };
    QSaveFile file(outPath);
    if (!file.open(QIODevice::WriteOnly))
        throw Fault { 2, QStringLiteral("%1: error: %2").arg(outPath, file.errorString()) };
    QImageWriter writer(&file, format);
    if (quality >= 0)
        writer.setQuality(quality);
    if (!writer.write(image))
        throw Fault { 2, QStringLiteral("%1: error: %2").arg(outPath, writer.errorString()) };
    if (!file.commit())
        throw Fault { 2, QStringLiteral("%1: error: %2").arg(outPath, file.errorString()) };
}

int run(const QStringList &args)
{
    if (args.size() != 3)
        throw Fault { 2, QStringLiteral("usage: artwork SOURCE.svg OUTPUT.jpg|OUTPUT.png WIDTHxHEIGHT") };
    const QString &sourcePath = args[0];
    const QString &outPath = args[1];
    const QSize size = parseSize(args[2]);

    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly))
        throw Fault { 1, QStringLiteral("%1: error: cannot read: %2").arg(sourcePath, source.errorString()) };
    const QByteArray svg = source.readAll();

    const bool jpeg = !outPath.endsWith(QLatin1String(".png"), Qt::CaseInsensitive);
    write(render(sourcePath, svg, size, jpeg), outPath);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    // A build step: it must run without a display and find the same fonts everywhere.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    previousHandler = qInstallMessageHandler(collectSvgWarnings);
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    try {
        return run(app.arguments().mid(1));
    } catch (const Fault &fault) {
        err << fault.text << '\n';
        return fault.status;
    }
}
