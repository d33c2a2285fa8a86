#pragma once

#include <QLineEdit>

#include <functional>

namespace zq {

// A one-line text box that hands Enter (and, when asked, the arrow keys) to
// its window instead of handling them. Every other key edits the text.
class KeyBox : public QLineEdit
{
    Q_OBJECT
public:
    explicit KeyBox(const QString &name, QWidget *parent = nullptr);

    void setArrowKeysReported(bool reported) { m_reportArrows = reported; }
    // For a box that is never seen: an input method shows its candidates by
    // this widget (where the box's text is displayed) instead of the box.
    void setCompositionShownBy(QWidget *display) { m_display = display; }
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    // Takes a paste (Ctrl+V, Shift+Insert, the pop-up menu's 貼り付け) before
    // the box does: a handler that returns true has dealt with it.
    void setPasteHandler(std::function<bool()> handler) { m_paste = std::move(handler); }

signals:
    // A character or Enter, before it is handled (not arrows or shifts); text
    // committed by an input method counts as typed characters.
    void keyPressed();
    void enterPressed();
    // The text an input method is composing (empty once it is committed or
    // dropped); it is not part of text() until committed.
    void compositionChanged(const QString &composing);
    void arrowPressed(Qt::Key key);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    bool m_reportArrows = false;
    QWidget *m_display = nullptr;
    std::function<bool()> m_paste;
};

} // namespace zq
