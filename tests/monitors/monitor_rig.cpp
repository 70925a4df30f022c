#include "monitors/monitor_rig.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include "monitors/monitor_events.h"

namespace tavrino::test {

bool NoteOwner::event(QEvent* event) {
    if (event->type() != MessageEventType(WM_MONITOR_NOTE)) {
        return QWidget::event(event);
    }
    const auto& note = static_cast<const MonitorNoteEvent&>(*event);
    notes.push_back((note.mode == NoteMode::kRelease ? "release " : "press ") +
                    std::to_string(note.key));
    programs.push_back(note.program);
    return true;
}

MonitorRig::MonitorRig() {
    diatonic.Build(60);
    chromatic.Build(60);
}

MonitorServices MonitorRig::services() {
    return {store,    settings,  doc,
            diatonic, chromatic, [this](LayoutFamily family) { layoutChanges.push_back(family); }};
}

void PressKey(QWidget& window, Qt::Key key, bool down) {
    QKeyEvent event(down ? QEvent::KeyPress : QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &event);
}

}  // namespace tavrino::test
