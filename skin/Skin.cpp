#include "skin/Skin.h"

#include <QApplication>
#include <QFile>

static void initSkinResource()
{
    Q_INIT_RESOURCE(skin);
}

namespace Skin {

QString styleSheet()
{
    initSkinResource();
    QFile f(QStringLiteral(":/skin/skin.qss"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

void apply(QApplication &app)
{
    app.setFont(uiFont());
    app.setStyleSheet(styleSheet());
}

QFont uiFont()
{
    QFont f(QStringLiteral("WenQuanYi Micro Hei"));
    f.setFamilies(
        { QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"), QStringLiteral("sans-serif") });
    f.setPixelSize(12);
    return f;
}

QFont memoFont()
{
    // Zen Hei Mono keeps the strict cell of code-page-936 text: a single-byte character one
    // column, a double-byte character (hanzi, box drawing, shapes) exactly two. Pictures
    // drawn with characters only line up with such a font.
    QFont f(QStringLiteral("WenQuanYi Zen Hei Mono"));
    f.setFamilies({ QStringLiteral("WenQuanYi Zen Hei Mono"), QStringLiteral("Noto Sans Mono CJK SC"),
        QStringLiteral("monospace") });
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    f.setPixelSize(14);
    return f;
}

QFont arialFont(int pixelSize)
{
    QFont f(QStringLiteral("Arial"));
    f.setFamilies(
        { QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("WenQuanYi Micro Hei") });
    f.setPixelSize(pixelSize);
    return f;
}

QFont emojiFont(int pixelSize)
{
    // Only a font whose first family is the colour one draws emoji in colour; fontconfig's
    // fallback takes black outlines from DejaVu Sans first.
    QFont f(QStringLiteral("Noto Color Emoji"));
    f.setFamilies({ QStringLiteral("Noto Color Emoji"), QStringLiteral("WenQuanYi Micro Hei") });
    f.setPixelSize(pixelSize);
    return f;
}

} // namespace Skin
