#include "skin/Skin.h"
#include "skin/SkinFrame.h"
#include "window/TbsSkinMessage.h"
#include "window/TimerDlg.h"

#include <QApplication>
int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    Skin::apply(app);
    QWidget w;
    w.setWindowTitle(QStringLiteral("Zelto签名字符2008 V4.0.3"));
    SkinFrame f(&w, SkinTitleBar::SystemMenu | SkinTitleBar::Minimize | SkinTitleBar::MinimizeToTray | SkinTitleBar::Close);
    f.setFixedClientSize(QSize(685, 492));
    w.move(187, 121);
    w.show();
    TbsSkinMessage m(&w);
    TimerDlg::ArmAutoClose(30000, true, true);
    m.ShowMessageDialog(QStringLiteral("测试\r\r第二行"), mtInformation, mbOKSet, 0);
    return app.exec();
}
