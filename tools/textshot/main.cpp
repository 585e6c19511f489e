// Renders a UTF-8 text file in the collection memos' font, so that pictures
// drawn with characters can be checked for alignment without starting the program.
// Usage: textshot input.txt output.png
#include "skin/Skin.h"

#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QTextStream>
#include <cstdio>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: textshot input.txt output.png\n");
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    const QStringList lines = QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'));
    const QFont font = Skin::memoFont();
    const QFontMetrics fm(font);
    int width = 200;
    for (const QString &l : lines)
        width = std::max(width, fm.horizontalAdvance(l) + 20);
    const int height = fm.lineSpacing() * int(lines.size()) + 20;
    QImage img(std::min(width, 4000), std::min(height, 30000), QImage::Format_RGB32);
    img.fill(QColor(0xf0, 0xf0, 0xf0));
    QPainter p(&img);
    p.setFont(font);
    p.setPen(Qt::black);
    int y = 10 + fm.ascent();
    for (const QString &l : lines) {
        p.drawText(10, y, l);
        y += fm.lineSpacing();
    }
    p.end();
    return img.save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
