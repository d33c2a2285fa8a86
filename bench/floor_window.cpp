// The benchmark's floors for start-up and memory: a Qt program that shows
// one window of the size given (the main menu's), with one Japanese label
// ("label"), with nothing in it ("empty"), or with what the main menu holds,
// built plainly ("menu": a menu bar of three menus and five items with
// their shortcuts, two tool buttons with 16-pixel icons, a picture of the
// logo's size and three buttons in a frame; Qt's own pictures, no journal,
// no settings file).
//   zq-floor-window label|empty|menu WIDTHxHEIGHT

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

namespace {

QPixmap picture(QSize size, QColor color)
{
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setBrush(color);
    p.drawEllipse(QRect(QPoint(), size).adjusted(1, 1, -1, -1));
    return pm;
}

void buildMenu(QMainWindow &window)
{
    const auto menu = [&window](const QString &title, const QStringList &items, const QList<Qt::Key> &keys) {
        QMenu *m = window.menuBar()->addMenu(title);
        for (int i = 0; i < items.size(); ++i)
            m->addAction(items[i])->setShortcut(QKeySequence(Qt::CTRL | keys[i]));
    };
    menu(QStringLiteral("ﾌｧｲﾙ(&F)"), {QStringLiteral("ﾌｧｲﾙを格納するﾌｫﾙﾀﾞ指定(&A)"), QStringLiteral("終了(&E)")},
         {Qt::Key_A, Qt::Key_E});
    menu(QStringLiteral("ﾂｰﾙ(&T)"), {QStringLiteral("ZQ電卓(&D)")}, {Qt::Key_D});
    menu(QStringLiteral("ﾍﾙﾌﾟ(&H)"), {QStringLiteral("ﾍﾙﾌﾟ(&H)"), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&V)")},
         {Qt::Key_H, Qt::Key_V});
    auto *client = new QWidget(&window);
    window.setCentralWidget(client);
    for (int i = 0; i < 2; ++i) {
        auto *tool = new QToolButton(client);
        tool->setIcon(picture(QSize(16, 16), i ? Qt::blue : Qt::darkGreen));
        tool->setGeometry(4 + 24 * i, 2, 24, 22);
    }
    auto *logo = new QLabel(client);
    logo->setGeometry(8, 32, 184, 76);
    logo->setPixmap(picture(logo->size(), QColor(0xff, 0x8c, 0x1a)));
    auto *frame = new QFrame(client);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setGeometry(32, 112, 137, 117);
    int top = 20;
    for (const QString &caption : {QStringLiteral("加算機"), QStringLiteral("集計器"), QStringLiteral("終了")}) {
        (new QPushButton(caption, frame))->setGeometry(8, top, 121, 25);
        top += 32;
    }
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QByteArray kind = argc > 1 ? argv[1] : "label";
    const QStringList size = QString::fromLatin1(argc > 2 ? argv[2] : "246x330").split(u'x');
    QMainWindow menuWindow;
    QWidget plainWindow;
    QWidget &window = kind == "menu" ? static_cast<QWidget &>(menuWindow) : plainWindow;
    window.setWindowTitle(QStringLiteral("ZQ加算・集計器"));
    window.resize(size.value(0).toInt(), size.value(1).toInt());
    if (kind == "menu")
        buildMenu(menuWindow);
    else if (kind == "label")
        new QLabel(QStringLiteral("加算・集計器"), &window);
    window.show();
    return app.exec();
}
