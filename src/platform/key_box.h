#pragma once

#include <QLineEdit>

namespace zq {

// A one-line text box that hands Enter (and, when asked, the arrow keys) to
// its window instead of handling them. Every other key edits the text.
class KeyBox : public QLineEdit
{
    Q_OBJECT
public:
    explicit KeyBox(const QString &name, QWidget *parent = nullptr);

    void setArrowKeysReported(bool reported) { m_reportArrows = reported; }

signals:
    void keyPressed();   // a character or Enter, before it is handled (not arrows or shifts)
    void enterPressed();
    void arrowPressed(Qt::Key key);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool m_reportArrows = false;
};

} // namespace zq
