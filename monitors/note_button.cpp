#include "monitors/note_button.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace tavrino {

NoteButton::NoteButton(int controlId, const QString& text, QWidget* parent)
    : QPushButton(text, parent), controlId_(controlId) {
    setFocusPolicy(Qt::NoFocus);  // the keys stay with the monitor
}

void NoteButton::setLit(bool lit) {
    if (lit != lit_) {
        lit_ = lit;
        update();
    }
}

void NoteButton::setAccent(const QColor& accent) {
    accent_ = accent;
    update();
}

void NoteButton::paintEvent(QPaintEvent*) {
    // Drawn by hand: the platform's push buttons pad their labels out of a
    // 20-pixel button, and a player must tell a sounding note at a glance.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF face = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const bool pressed = isShownPressed();
    const QColor fill = pressed ? accent_ : QColor(250, 250, 247);
    QLinearGradient gradient(face.topLeft(), face.bottomLeft());
    gradient.setColorAt(0, pressed ? fill.darker(115) : fill);
    gradient.setColorAt(1, pressed ? fill : QColor(226, 226, 222));
    painter.setBrush(gradient);
    painter.setPen(QPen(pressed ? QColor(20, 20, 20) : QColor(150, 150, 150), pressed ? 1.5 : 1));
    painter.drawRoundedRect(face, 3, 3);
    if (!pressed) {
        // A strip of the kind's colour tells blow, draw, bend and over apart.
        painter.setPen(Qt::NoPen);
        painter.setBrush(accent_);
        painter.drawRect(QRectF(face.left() + 2, face.bottom() - 3, face.width() - 4, 2));
    }
    painter.setPen(pressed && accent_.lightness() < 110 ? Qt::white : QColor(15, 15, 15));
    painter.setFont(font());
    painter.drawText(rect().adjusted(0, pressed ? 1 : 0, 0, pressed ? 0 : -2), Qt::AlignCenter,
                     text());
}

void NoteButton::mousePressEvent(QMouseEvent* event) {
    QPushButton::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) {
        emit notePressed(controlId_);
    }
}

void NoteButton::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click: it sounds like the first.
    QPushButton::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) {
        emit notePressed(controlId_);
    }
}

void NoteButton::mouseReleaseEvent(QMouseEvent* event) {
    QPushButton::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) {
        emit noteReleased(controlId_);
    }
}

bool NoteButton::KeepsKey(const QKeyEvent& event) {
    if ((event.modifiers() & Qt::AltModifier) != 0) {
        return true;
    }
    switch (event.key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Insert:
        case Qt::Key_Delete:
            return true;
        default:
            return false;
    }
}

void NoteButton::keyPressEvent(QKeyEvent* event) {
    if (KeepsKey(*event)) {
        QPushButton::keyPressEvent(event);
    } else {
        event->ignore();  // an ignored key event goes on to the parent
    }
}

void NoteButton::keyReleaseEvent(QKeyEvent* event) {
    if (KeepsKey(*event)) {
        QPushButton::keyReleaseEvent(event);
    } else {
        event->ignore();
    }
}

}  // namespace tavrino
