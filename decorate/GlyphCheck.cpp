#include "decorate/GlyphCheck.h"

#include <QFont>
#include <QGlyphRun>
#include <QTextLayout>

namespace GlyphCheck {

bool drawable(const QString &text, const QFont &font)
{
    QString line = text;
    line.replace(u'\n', u' ');
    QTextLayout layout(line, font);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    QTextLine l = layout.createLine();
    l.setLineWidth(1e6);
    layout.endLayout();
    for (const QGlyphRun &run : layout.glyphRuns()) {
        for (quint32 glyph : run.glyphIndexes())
            if (glyph == 0)
                return false;
    }
    return true;
}

} // namespace GlyphCheck
