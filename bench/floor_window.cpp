// The benchmark's floors for start-up and memory: a Qt program that shows
// one window, with one Japanese label ("label") or nothing in it ("empty"),
// of the size given (the main menu's).
//   zq-floor-window label|empty WIDTHxHEIGHT

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList size = QString::fromLatin1(argc > 2 ? argv[2] : "246x330").split(u'x');
    QWidget window;
    window.setWindowTitle(QStringLiteral("ZQ加算・集計器"));
    window.resize(size.value(0).toInt(), size.value(1).toInt());
    if (argc > 1 && QByteArray(argv[1]) == "label")
        new QLabel(QStringLiteral("加算・集計器"), &window);
    window.show();
    return app.exec();
}
