#include "widgets/ClipboardTextWatch.h"

#include <QClipboard>
#include <QMimeData>

ClipboardTextWatch::ClipboardTextWatch(QClipboard *clipboard, QObject *parent)
    : QObject(parent)
    , m_clipboard(clipboard)
{
    refresh();
    connect(clipboard, &QClipboard::dataChanged, this, &ClipboardTextWatch::refresh);
}

void ClipboardTextWatch::refresh()
{
    const QMimeData *data = m_clipboard->mimeData();
    m_holdsText = data && data->hasText();
}
