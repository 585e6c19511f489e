#pragma once

#include <QObject>
#include <QString>

class Catalogue;
class TbsSkinMessage;

// "数据信息": how many entries each list holds, and the data version.
class DataInfoCommand : public QObject
{
    Q_OBJECT
public:
    DataInfoCommand(Catalogue *catalogue, TbsSkinMessage *messages, QObject *parent = nullptr);

    // The message, lines broken by carriage returns.
    static QString text(
        qint64 signatures, qint64 coupleNames, qint64 boysNames, qint64 girlsNames, const QString &version);

    // Arms the auto-close, then shows the message. Throws AppError when the counts or the
    // version cannot be read; the caller's guard shows it, and the armed auto-close then
    // closes that error box.
    void N64Click();

private:
    static constexpr int TimeoutMs = 20000;
    Catalogue *m_catalogue;
    TbsSkinMessage *m_messages;
};
