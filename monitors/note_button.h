#pragma once

#include <QColor>
#include <QPushButton>

namespace tavrino {

// The push button of a harmonica hole or a piano key. It reports the press
// and the release of the left mouse button separately, so that a note sounds
// for as long as the button is held, and leaves the keys to its monitor
// window, which plays notes from the computer keyboard.
class NoteButton : public QPushButton {
    Q_OBJECT

public:
    NoteButton(int controlId, const QString& text, QWidget* parent);

    int controlId() const { return controlId_; }
    // Shown pressed because its note sounds, apart from the mouse holding it.
    void setLit(bool lit);
    bool isLit() const { return lit_; }
    // The colour of the kind of note the button plays; it fills the button
    // while pressed and tints it while not.
    void setAccent(const QColor& accent);
    QColor accent() const { return accent_; }
    // Pressed by a sounding note or by the mouse.
    bool isShownPressed() const { return lit_ || isDown(); }

signals:
    void notePressed(int controlId);
    void noteReleased(int controlId);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    // Navigation keys and keys held with Alt stay with the button (focus moves,
    // menu access); every other key goes on to the monitor.
    static bool KeepsKey(const QKeyEvent& event);

    int controlId_;
    bool lit_ = false;
    QColor accent_{200, 200, 200};
};

}  // namespace tavrino
