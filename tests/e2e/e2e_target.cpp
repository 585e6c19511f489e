// zelto_e2e_target FILE: a window titled "paste target" with one focused line edit; every
// change of its text is written to FILE, so that a test can read what arrived.
#include <QApplication>
#include <QFile>
#include <QLineEdit>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    QLineEdit edit;
    edit.setWindowTitle(QStringLiteral("paste target"));
    edit.setMinimumWidth(300);
    QObject::connect(&edit, &QLineEdit::textChanged, &edit, [path](const QString &text) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(text.toUtf8());
    });
    edit.show();
    return app.exec();
}
