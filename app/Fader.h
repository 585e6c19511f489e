#pragma once

#include <QObject>

class QShowEvent;
class QTimer;
class QWidget;
class SettingsStore;
class WindowPlatform;

// The main window's opacity: the fade-in after every showing, the fade-out at the end,
// and the changes of the settings menu. Values are 0 (transparent) to 255 (opaque).
class Fader : public QObject
{
    Q_OBJECT
public:
    static constexpr int SemiTransparent = 220;
    static constexpr int Opaque = 255;
    static constexpr int Step = 5;

    // timer: the form's fade timer (Timer1), already running; its ticks come here.
    Fader(QWidget *form, QTimer *timer, SettingsStore *store, WindowPlatform &platform);

    // 220 while semi-transparency is on, 255 when the store says opaque; read anew each time.
    int target() const;

    // The window went from hidden to shown: invisible now, faded in at the next tick.
    void FormShow();
    void Timer1Timer();
    // From the stored target down to 0, whatever the opacity was.
    void fadeOut();

    // Sets the window's opacity at once; where the platform cannot, only remembers it.
    void setOpacity(int value);
    int opacity() const { return m_opacity; }

    // For the form's showEvent: only a real hidden-to-shown change counts.
    void formShowEvent(QShowEvent *event);

signals:
    // Every value set, also where the platform cannot show it.
    void opacitySet(int value);

private:
    QWidget *m_form;
    QTimer *m_timer;
    SettingsStore *m_store;
    WindowPlatform &m_platform;
    int m_opacity = 255;
};
