#pragma once

#include "platform/tool_window.h"

class QComboBox;
class QFileSystemModel;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace zq {

class Application;

// FILECTL: chooses and registers the storage folder.
class FileCtlWindow : public ToolWindow
{
    Q_OBJECT
public:
    explicit FileCtlWindow(Application &app);

protected:
    void activated() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showPicker();
    void driveChosen(int index);
    void treeFolderChanged();
    void registerFolder();
    void backToMenu();
    void selectDrive(const QString &drive);
    void setTreeFolder(const QString &folder);
    QString treePath() const;

    Application &m_app;
    QStringList m_drives;
    QLineEdit *m_text1 = nullptr;
    QLineEdit *m_text2 = nullptr;
    QFrame *m_frame1 = nullptr;
    QComboBox *m_drive1 = nullptr;
    QTreeView *m_dir1 = nullptr;
    QFileSystemModel *m_model = nullptr;
    QLabel *m_label3 = nullptr;
    QPushButton *m_command1 = nullptr;
};

} // namespace zq
