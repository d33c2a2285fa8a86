#include "shell/filectl_window.h"

#include "platform/fonts.h"
#include "platform/menu_builder.h"
#include "platform/twips.h"
#include "platform/user_files.h"
#include "platform/widget_builder.h"
#include "shell/application.h"
#include "shell/drives.h"
#include "shell/setq_file.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTreeView>

namespace zq {

FileCtlWindow::FileCtlWindow(Application &app)
    : ToolWindow(app.tracker(), QStringLiteral("FILECTL"))
    , m_app(app)
{
    setWindowTitle(QStringLiteral("　ﾌｧｲﾙを格納するフォルダ指定"));
    QAction *m1 = menuBar()->addAction(QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    m1->setObjectName(QStringLiteral("M1"));

    QWidget *client = setClientArea(TwipsSize(4620, 5655));

    auto *label1 = new QLabel(QStringLiteral("現在の登録のフォルダ"), client);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setGeometry(TwipsRect(240, 240, 2295, 255));
    m_text1 = new QLineEdit(client);
    m_text1->setObjectName(QStringLiteral("Text1"));
    SetRole(m_text1, QStringLiteral("現在の登録のフォルダ"));
    m_text1->setGeometry(TwipsRect(240, 480, 4215, 375));

    m_frame1 = new QFrame(client);
    m_frame1->setFrameShape(QFrame::StyledPanel);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_frame1->setGeometry(TwipsRect(240, 1200, 4215, 2295));
    m_drive1 = new QComboBox(m_frame1);
    m_drive1->setObjectName(QStringLiteral("Drive1"));
    SetRole(m_drive1, QStringLiteral("ドライブ"));
    m_drive1->setGeometry(TwipsRect(120, 240, 2295, 300));
    m_model = new QFileSystemModel(this);
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_dir1 = new QTreeView(m_frame1);
    m_dir1->setObjectName(QStringLiteral("Dir1"));
    SetRole(m_dir1, QStringLiteral("フォルダ"));
    m_dir1->setGeometry(TwipsRect(120, 600, 3975, 1500));
    m_dir1->setModel(m_model);
    m_dir1->setHeaderHidden(true);
    for (int c = 1; c < m_model->columnCount(); ++c)
        m_dir1->hideColumn(c);
    m_frame1->hide();

    auto *command2 = AddButton(client, QStringLiteral("Command2"), QStringLiteral("参照"),
                               TwipsRect(3480, 3600, 975, 375));
    auto *label2 = new QLabel(QStringLiteral("これから登録するフォルダ"), client);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setGeometry(TwipsRect(240, 3840, 2535, 255));
    m_text2 = new QLineEdit(client);
    m_text2->setObjectName(QStringLiteral("Text2"));
    SetRole(m_text2, QStringLiteral("これから登録するフォルダ"));
    m_text2->setGeometry(TwipsRect(240, 4080, 4215, 375));
    m_text2->installEventFilter(this);
    auto *command3 = AddButton(client, QStringLiteral("Command3"), QStringLiteral("保存登録"),
                               TwipsRect(3120, 4560, 1335, 375));
    m_label3 = new QLabel(QStringLiteral("保存しました"), client);
    m_label3->setObjectName(QStringLiteral("Label3"));
    m_label3->setGeometry(TwipsRect(360, 4560, 1455, 255));
    m_label3->setFont(LegacyFont(PGothicFont, 9.75, true));
    {
        QPalette pal = m_label3->palette();
        pal.setColor(QPalette::WindowText, Qt::red);
        m_label3->setPalette(pal);
    }
    m_label3->hide();
    m_command1 = AddButton(client, QStringLiteral("Command1"), QStringLiteral("閉じる"),
                           TwipsRect(3480, 5160, 975, 375));

    connect(m1, &QAction::triggered, this, [this] { m_app.showHelp(this); });
    connect(command2, &QPushButton::clicked, this, &FileCtlWindow::showPicker);
    connect(command3, &QPushButton::clicked, this, &FileCtlWindow::registerFolder);
    connect(m_command1, &QPushButton::clicked, this, &FileCtlWindow::backToMenu);
    connect(m_drive1, &QComboBox::activated, this, &FileCtlWindow::driveChosen);
    connect(m_dir1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &FileCtlWindow::treeFolderChanged);
    connect(m_dir1, &QTreeView::clicked, this, [this] {
        m_label3->hide();
        treeFolderChanged();
    });
}

void FileCtlWindow::activated()
{
    m_drives = AvailableDrives();
    m_drive1->clear();
    m_drive1->addItems(m_drives);
    const StorageChoiceStart start = StartStorageChoice(m_app.store().program, m_app.setqLocation(), m_drives);
    selectDrive(start.drive);
    selectDrive(start.settingDrive);
    setTreeFolder(start.folder);
    m_text1->setText(treePath());
    m_text2->setFocus();
}

bool FileCtlWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_text2 && event->type() == QEvent::FocusIn)
        m_label3->hide();
    return ToolWindow::eventFilter(watched, event);
}

void FileCtlWindow::selectDrive(const QString &drive)
{
    const int index = m_drives.indexOf(drive);
    if (index < 0)
        return;
    m_drive1->setCurrentIndex(index);
    driveChosen(index);
}

void FileCtlWindow::driveChosen(int index)
{
    if (index < 0 || index >= m_drives.size())
        return;
    const QString drive = m_drives[index];
    m_model->setRootPath(drive);
    const QModelIndex root = m_model->index(drive);
    m_dir1->setRootIndex(root.parent().isValid() ? root.parent() : QModelIndex());
    m_dir1->setCurrentIndex(root);
    m_dir1->expand(root);
}

void FileCtlWindow::setTreeFolder(const QString &folder)
{
    const QModelIndex index = m_model->index(QDir::fromNativeSeparators(folder));
    if (!index.isValid())
        return;
    for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
        m_dir1->expand(up);
    m_dir1->setCurrentIndex(index);
    m_dir1->scrollTo(index);
}

QString FileCtlWindow::treePath() const
{
    const QModelIndex current = m_dir1->currentIndex();
    return current.isValid() ? QDir::toNativeSeparators(m_model->filePath(current)) : QString();
}

void FileCtlWindow::treeFolderChanged()
{
    if (m_frame1->isVisible())
        m_text2->setText(treePath());
}

void FileCtlWindow::showPicker()
{
    m_frame1->show();
    m_label3->hide();
}

void FileCtlWindow::registerFolder()
{
    const Services &services = m_app.services();
    const FolderRegistration registration = RegisterFolder(m_app.store().program, m_app.setqLocation(), m_text2->text());
    if (m_text2->text().isEmpty())
        m_text2->setText(registration.folder);
    if (!registration.unwritable.isEmpty()) {
        services.messages->beep();
        services.messages->warn(this, QStringLiteral("フォルダ名の「%1」は登録できません！").arg(registration.unwritable));
        return;
    }
    const QString path = m_app.setqLocation().writePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!SaveUserFile(services, this, path, registration.bytes))
        return; // the folder registered before stays in force
    m_app.store().program.StorageFolder = registration.folder;
    m_label3->show();
    m_text1->setText(registration.folder);
    services.messages->beep();
    m_command1->setFocus();
}

void FileCtlWindow::backToMenu()
{
    m_app.showMenu();
    close();
}

} // namespace zq
