#pragma once

#include "platform/RegularFile.h"

#include <QObject>
#include <QStringList>

// The frames of the 花样网名 window: the ones the program ships, then the user's own from
// frames.txt in the user's data folder (the format of the user's lists). A frame holds "{}"
// where the name goes. A user's file that cannot be read or understood is reported, its
// frames are left out, and it is never written over; frames added meanwhile are kept for
// the session only.
class FrameList : public QObject
{
    Q_OBJECT
public:
    static inline const QString Placeholder = QStringLiteral("{}");
    static constexpr qint64 MaxFileBytes = 4 * 1024 * 1024;

    // folder: where frames.txt lives; empty means the user's data folder.
    explicit FrameList(const QString &folder = {}, QObject *parent = nullptr);

    static QStringList shipped();
    static QString fileName() { return QStringLiteral("frames.txt"); }
    QString path() const;

    // Reads the user's file; a missing one holds no frames.
    void load();
    const QStringList &own() const { return m_own; }
    // The shipped frames, then the user's.
    QStringList all() const { return m_shipped + m_own; }

    // Adds a frame of the user's and writes the file. False, with a notice, when the frame
    // has no "{}"; a file that cannot be written is reported, the frame kept for the session.
    bool add(const QString &frame);

signals:
    void notice(const QString &message);
    void changed();

private:
    enum class Read { Missing, Ok, Failed };
    Read readFile(QStringList &frames);

    QString m_folder;
    QStringList m_shipped;
    QStringList m_own;
    bool m_held = false;
};
