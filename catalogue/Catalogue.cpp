#include "catalogue/Catalogue.h"

#include "catalogue/CatalogueConnection.h"
#include "catalogue/CatalogueQuery.h"
#include "catalogue/DataSource.h"
#include "platform/AppError.h"
#include "platform/ApplicationTitle.h"

Catalogue::Catalogue(QObject *parent)
    : QObject(parent)
    , ADOConnection1(new CatalogueConnection(this))
{
    setObjectName(QStringLiteral("Catalogue"));
    for (int i = 0; i < QueryCount; ++i) {
        m_queries[i] = new CatalogueQuery(ADOConnection1, QStringLiteral("ADOQuery%1").arg(i + 1), this);
        m_sources[i] = new DataSource(m_queries[i], QStringLiteral("DataSource%1").arg(i + 1), this);
    }
}

void Catalogue::OpenQueries()
{
    for (int i = 0; i < QueryCount; ++i) {
        CatalogueQuery *q = m_queries[i];
        q->Close();
        q->SQLClear();
        q->SQLAdd(Statements[i]);
        q->Open();
    }
}

QString Catalogue::DataVersion() const
{
    const QVariant value = m_queries[4]->FieldValue(Columns[4]);
    if (value.isNull())
        throw AppError(QStringLiteral("Could not convert variant of type (Null) into type (String)"));
    return value.toString();
}

QString Catalogue::versionCaption(const QString &version)
{
    return ApplicationTitle + QStringLiteral(" Data version ") + version;
}
