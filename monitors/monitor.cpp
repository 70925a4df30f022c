#include "monitors/monitor.h"

#include <QCloseEvent>
#include <QCoreApplication>

#include "monitors/saved_placement.h"

namespace tavrino {

CMonitor::CMonitor(SettingsStore& store) : store_(store) {}

int CMonitor::CreateMonitor(QWidget* owner) {
    if (created_) {
        return 0;
    }
    MonitorCreateParameters parameters;
    PreCreate(parameters);
    setParent(owner, Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(parameters.title);
    setGeometry(parameters.rect);
    if (CreateContents() < 0) {
        return -1;
    }
    created_ = true;
    if (!parameters.resizable) {
        setFixedSize(size());
    }
    show();
    return 0;
}

int CMonitor::ResetDisplay(bool) {
    return 0;
}
void CMonitor::NoteOn(int, int, int) {}
void CMonitor::NoteOff(int, int, int) {}
void CMonitor::ShowTextEvent(int) {}
void CMonitor::ApplySettings() {}

int CMonitor::PreCreate(MonitorCreateParameters&) {
    return 0;
}

int CMonitor::CreateContents() {
    ResetDisplay(false);
    return 0;
}

void CMonitor::DestroyContents() {}

std::string CMonitor::PlacementPrefix() const {
    return "Mon" + std::to_string(GetKind()) + ".";
}

void CMonitor::SavePlacement() {
    if (isMinimized() || isMaximized()) {
        return;
    }
    WriteSavedRect(store_, PlacementPrefix(),
                   normalGeometry().isValid() ? normalGeometry() : geometry());
}

void CMonitor::RestorePlacement(int width, int height, bool forceSize) {
    QRect rect = geometry();
    const std::optional<QRect> saved = ReadSavedRect(store_, PlacementPrefix());
    if (saved) {
        rect = KeepOnScreen(*saved, PrimaryScreenSize(), StandardIconSize());
    }
    if (width != -1 && (!saved || forceSize)) {
        rect.setWidth(width);
    }
    if (height != -1 && (!saved || forceSize)) {
        rect.setHeight(height);
    }
    setGeometry(rect);
}

void CMonitor::SoundNote(int key, NoteMode mode, int program) {
    if (parentWidget() == nullptr) {
        return;
    }
    MonitorNoteEvent event(key, mode, program);
    QCoreApplication::sendEvent(parentWidget(), &event);
}

void CMonitor::closeEvent(QCloseEvent* event) {
    SavePlacement();
    DestroyContents();
    if (parentWidget() != nullptr) {
        MonitorClosedEvent closed(this);
        QCoreApplication::sendEvent(parentWidget(), &closed);
    }
    event->accept();
}

}  // namespace tavrino
