#pragma once

#include <QObject>

class WindowPlatform;

// The opacity of the skin's menus: every QMenu of the application takes it as it is
// shown. Until it is switched on, menus are left opaque and untouched.
class MenuOpacity : public QObject
{
    Q_OBJECT
public:
    explicit MenuOpacity(WindowPlatform &platform, QObject *parent = nullptr);
    ~MenuOpacity() override;

    bool AlphaBlend() const { return m_alphaBlend; }
    void SetAlphaBlend(bool on) { m_alphaBlend = on; }
    // 0 (transparent) to 255 (opaque).
    int AlphaBlendValue() const { return m_alphaBlendValue; }
    void SetAlphaBlendValue(int value);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    WindowPlatform &m_platform;
    bool m_alphaBlend = false;
    int m_alphaBlendValue = 255;
};
