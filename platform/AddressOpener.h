#pragma once

#include <QString>

// Hands an address (web page, mailto:) to the desktop's default handler. The result is
// never examined. Tests put a recorder in its place.
class AddressOpener
{
public:
    virtual ~AddressOpener() = default;
    virtual void open(const QString &address) = 0;
};

class DesktopAddressOpener final : public AddressOpener
{
public:
    void open(const QString &address) override;
};
