#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QObject>

#include <memory>

// Converts GBK text between simplified and traditional characters by a built-in table of
// 3754 pairs. Besides the common traditional forms the table swaps some everyday
// characters for look-alikes (你→伱, 好→恏…), and the reverse direction turns them back.
// The main window owns one instance; its objectName is set by the owner.
class TGbToBig : public QObject
{
    Q_OBJECT
    Q_PROPERTY(TMode Mode READ Mode WRITE SetMode)

public:
    enum TMode : quint8 { Gb2Big = 0, Big2Gb = 1 };
    Q_ENUM(TMode)

    explicit TGbToBig(QObject *owner = nullptr);
    ~TGbToBig() override;

    TMode Mode() const { return m_mode; }
    void SetMode(TMode value);

    // Converts in the direction of the current mode. A byte 0x00..0x80 stands alone; a byte
    // 0x81..0xFF and whatever byte follows it form a pair, which becomes its partner in the
    // table (the first entry in table order wins) or stays as it is. A final unpaired lead
    // byte is kept, so the result is always as long as source.
    QByteArray Convert(QByteArrayView source) const;

    // Both sides of the table, two bytes per entry, in table order.
    const QByteArray &SimplifiedList() const { return m_simplified; }
    const QByteArray &TraditionalList() const { return m_traditional; }

private:
    QByteArray m_simplified;
    QByteArray m_traditional;
    TMode m_mode = Gb2Big;
    // For each direction, 65536 two-byte codes indexed by a pair as it lies in memory.
    std::unique_ptr<quint16[]> m_lookup;
};
