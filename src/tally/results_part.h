#pragma once

#include <QGroupBox>

class QLabel;
class QMenu;
class QPushButton;

namespace zq {

class Application;
class IndexedToolbar;
class LegacyGrid;

// The results area (Frame3, "集計結果") of the tally window: the result
// month grid G2 and the period grid G3 with their labels.
class ResultsPart : public QGroupBox
{
    Q_OBJECT
public:
    ResultsPart(Application &app, QWidget *parent);

    LegacyGrid *monthGrid() const { return m_g2; }
    LegacyGrid *periodGrid() const { return m_g3; }

    // Activation: widths and alignments of both grids.
    void layOut();
    // Reset: both grids emptied to 6 rows, the labels emptied, buttons off.
    void reset();
    void setStepButtonsEnabled(bool enabled);

    // The pop-up menus of the month grid (MM1) and the period grid (MM2).
    void setPopupMenus(QMenu *monthMenu, QAction *monthCopy, QMenu *periodMenu, QAction *periodCopy);

    // After a tally run: both headers, the period grid and its labels; the
    // window then steps to month 1.
    void showTally();
    // ＜ 前月度 / 次月度 ＞ of the result month, clamped to the period.
    void stepMonth(int delta);

    QPushButton *nextButton() const { return m_command9; }

private:
    // G2C / G3C: empty the grid and write its header row.
    void G2C();
    void G3C();

    Application &m_app;
    LegacyGrid *m_g2 = nullptr;
    LegacyGrid *m_g3 = nullptr;
    QPushButton *m_command8 = nullptr;
    QPushButton *m_command9 = nullptr;
    IndexedToolbar *m_toolbar2 = nullptr;
    QList<QLabel *> m_valueLabels; // Label8, 10, 11, 15..18
    QLabel *m_label8 = nullptr;
    QLabel *m_label10 = nullptr;
    QLabel *m_label11 = nullptr;
    QLabel *m_label15 = nullptr;
    QLabel *m_label16 = nullptr;
    QLabel *m_label17 = nullptr;
    QLabel *m_label18 = nullptr;
};

} // namespace zq
