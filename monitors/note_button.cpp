#include "monitors/note_button.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace tavrino {

NoteButton::NoteButton(int controlId, const QString& text, QWidget* parent)
    : QPushButton(text, parent), controlId_(controlId) {}

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
