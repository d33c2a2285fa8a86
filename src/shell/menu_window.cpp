#include "shell/menu_window.h"

#include "platform/indexed_toolbar.h"
#include "platform/menu_builder.h"
#include "platform/twips.h"
#include "platform/widget_builder.h"
#include "shell/application.h"
#include "shell/artwork.h"
#include "shell/setq_file.h"
#include "shell/ver_window.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace zq {

namespace {
constexpr int ClientWidth = 3000;   // twips
constexpr int WindowHeight = 4600;  // twips, menu bar included
} // namespace

MenuWindow::MenuWindow(Application &app)
    : ToolWindow(app.tracker(), QStringLiteral("MENU"))
    , m_app(app)
{
    setWindowTitle(QStringLiteral("ZQ加算・集計器"));

    QMenuBar *bar = menuBar();
    QMenu *mx1 = AddMenu(bar, QStringLiteral("MX1"), QStringLiteral("ﾌｧｲﾙ(&F)"));
    QAction *mx11 = AddMenuItem(mx1, QStringLiteral("MX11"), QStringLiteral("ﾌｧｲﾙを格納するﾌｫﾙﾀﾞ指定(&A)"),
                                QKeySequence(Qt::CTRL | Qt::Key_A));
    AddMenuSeparator(mx1, QStringLiteral("MX14"));
    QAction *mx15 = AddMenuItem(mx1, QStringLiteral("MX15"), QStringLiteral("終了(&E)"),
                                QKeySequence(Qt::CTRL | Qt::Key_E));
    QMenu *mx2 = AddMenu(bar, QStringLiteral("MX2"), QStringLiteral("ﾂｰﾙ(&T)"));
    QAction *mx21 = AddMenuItem(mx2, QStringLiteral("MX21"), QStringLiteral("ZQ電卓(&D)"),
                                QKeySequence(Qt::CTRL | Qt::Key_D));
    QMenu *mx3 = AddMenu(bar, QStringLiteral("MX3"), QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    QAction *mx31 = AddMenuItem(mx3, QStringLiteral("MX31"), QStringLiteral("ﾍﾙﾌﾟ(&H)"),
                                QKeySequence(Qt::CTRL | Qt::Key_H));
    AddMenuSeparator(mx3, QStringLiteral("MX32"));
    QAction *mx33 = AddMenuItem(mx3, QStringLiteral("MX33"), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&V)"),
                                QKeySequence(Qt::CTRL | Qt::Key_V));

    auto *client = new QWidget(this);
    setCentralWidget(client);

    auto *toolFrame = new QFrame(client);
    toolFrame->setObjectName(QStringLiteral("Frame2"));
    toolFrame->setGeometry(TwipsRect(0, 0, ClientWidth, 390));
    m_toolbar = new IndexedToolbar(QStringLiteral("Toolbar1"), toolFrame);
    m_toolbar->addButton(ToolbarIcon(ToolIcon::Calculator), QStringLiteral("ZQ電卓"));
    m_toolbar->addButton(ToolbarIcon(ToolIcon::Help), QStringLiteral("ﾍﾙﾌﾟ"));
    m_toolbar->setGeometry(TwipsRect(60, 0, 1200, 390));

    auto *logo = new QLabel(client);
    logo->setObjectName(QStringLiteral("Image1"));
    SetRole(logo, QStringLiteral("ロゴ"));
    logo->setGeometry(TwipsRect(120, 480, 2760, 1140));
    logo->setPixmap(LogoPicture(logo->size(), logo->devicePixelRatioF()));

    auto *frame = new QFrame(client);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setGeometry(TwipsRect(480, 1680, 2055, 1760));
    auto makeButton = [frame](const QString &name, const QString &caption, int top) {
        return AddButton(frame, name, caption, TwipsRect(120, top, 1815, 375));
    };
    m_command8 = makeButton(QStringLiteral("Command8"), QStringLiteral("加算機"), 300);
    m_command6 = makeButton(QStringLiteral("Command6"), QStringLiteral("集計器"), 780);
    m_command9 = makeButton(QStringLiteral("Command9"), QStringLiteral("終了"), 1260);

    // Load: the three buttons enabled, the window 4600 twips high.
    m_command8->setEnabled(true);
    m_command6->setEnabled(true);
    m_command9->setEnabled(true);
    setFixedSize(Px(ClientWidth), Px(WindowHeight) - 30);

    connect(m_command8, &QPushButton::clicked, this, &MenuWindow::openAdder);
    connect(m_command6, &QPushButton::clicked, this, &MenuWindow::openTally);
    connect(m_command9, &QPushButton::clicked, this, &MenuWindow::endProgram);
    connect(mx15, &QAction::triggered, this, [this] { m_app.endProgram(this, false); });
    connect(mx11, &QAction::triggered, this, &MenuWindow::openStorageFolder);
    connect(mx21, &QAction::triggered, this, [this] { m_app.launchCalculator(this); });
    connect(mx31, &QAction::triggered, this, [this] { m_app.showHelp(this); });
    connect(mx33, &QAction::triggered, this, &MenuWindow::showVersion);
    connect(m_toolbar, &IndexedToolbar::buttonClicked, this, &MenuWindow::toolbarClicked);

}

void MenuWindow::activated()
{
    ReadStorageSetting(m_app.store().program, m_app.setqLocation());
}

void MenuWindow::openTally()
{
    m_app.openTally();
    close();
}

void MenuWindow::openStorageFolder()
{
    m_app.openStorageFolder();
    close();
}

void MenuWindow::showVersion()
{
    auto *ver = new VerWindow(m_app.tracker(), this);
    ver->showAndActivate();
}

void MenuWindow::openAdder()
{
    m_app.openAdder();
    close();
}

void MenuWindow::endProgram()
{
    m_app.endProgram(this, true);
}

void MenuWindow::toolbarClicked(int index)
{
    if (index == 1)
        m_app.launchCalculator(this);
    else if (index == 2)
        m_app.showHelp(this);
}

} // namespace zq
