#include "info/DataInfoCommand.h"

#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueQuery.h"
#include "window/TbsSkinMessage.h"

DataInfoCommand::DataInfoCommand(Catalogue *catalogue, TbsSkinMessage *messages, QObject *parent)
    : QObject(parent)
    , m_catalogue(catalogue)
    , m_messages(messages)
{
    setObjectName(QStringLiteral("DataInfoCommand"));
}

QString DataInfoCommand::text(
    qint64 signatures, qint64 coupleNames, qint64 boysNames, qint64 girlsNames, const QString &version)
{
    return QStringLiteral("数据信息\r\r经典个性签名:") + QString::number(signatures)
        + QStringLiteral("条\r\r〖经典个性网名〗\r\r个性情侣网名:") + QString::number(coupleNames)
        + QStringLiteral("条\r\r个性男生网名:") + QString::number(boysNames) + QStringLiteral("条\r\r个性女生网名")
        + QString::number(girlsNames) + QStringLiteral("条\r\r数据版本：Data version ") + version;
}

void DataInfoCommand::N64Click()
{
    QString message;
    try {
        const int n1 = m_catalogue->query(1)->RecordCount();
        const int n2 = m_catalogue->query(2)->RecordCount();
        const int n3 = m_catalogue->query(3)->RecordCount();
        const int n4 = m_catalogue->query(4)->RecordCount();
        message = text(n1, n2, n3, n4, m_catalogue->DataVersion());
    } catch (...) {
        // The notice's 20 s go to the error box the guard shows instead.
        m_messages->autoClose().ArmAutoClose(TimeoutMs);
        throw;
    }
    m_messages->showTimedNotice(message, mtInformation, TimeoutMs);
}
