#include "app/frame_rig.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>

#include "song/midi_writer.h"

namespace tavrino::test {

int RecordingMonitor::ResetDisplay(bool newSong) {
    log.push_back("reset " + std::to_string(newSong ? 1 : 0));
    return 0;
}

void RecordingMonitor::NoteOn(int key, int eventIndex, int) {
    log.push_back("on " + std::to_string(key) + " #" + std::to_string(eventIndex));
}

void RecordingMonitor::NoteOff(int key, int eventIndex, int) {
    log.push_back("off " + std::to_string(key) + " #" + std::to_string(eventIndex));
}

void RecordingMonitor::ShowTextEvent(int eventIndex) {
    log.push_back("text #" + std::to_string(eventIndex));
}

void RecordingMonitor::keyPressEvent(QKeyEvent* event) {
    keysPressed.push_back(event->key());
}

void CloseModalBoxOnceShown(QString& caption, QString& text) {
    // Fires each time the event loop runs, until the box is up.
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, &caption, &text] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        caption = box->windowTitle();
        text = box->text();
        box->close();
        timer->stop();
        timer->deleteLater();
    });
    timer->start(0);
}

FrameRig::FrameRig(std::vector<MonitorKind> monitorKinds, MidiStream* otherStream)
    : store(dir.filePath("settings.ini")),
      player(otherStream != nullptr ? *otherStream : stream, settings) {
    for (const MonitorKind kind : monitorKinds) {
        factory.Register(
            kind, [kind](SettingsStore& s) { return std::make_unique<RecordingMonitor>(s, kind); });
    }
    CMainFrame::Services services{store, settings, player, factory, recent, [this](CTavrinoDoc&) {
                                      auto fake = std::make_unique<FakeFrameView>();
                                      view = fake.get();
                                      return fake;
                                  }};
    frame = std::make_unique<CMainFrame>(services);
}

QString FrameRig::FilePath(const std::string& name) const {
    return dir.filePath(QString::fromStdString(name));
}

bool FrameRig::Open(MidiSong& song, const std::string& name) {
    const QString path = FilePath(name);
    if (WriteMidiFile(song, path.toStdString()) != kWriteOk) {
        return false;
    }
    return frame->files().OpenDocumentFile(path);
}

void FrameRig::HandlePosted() {
    QCoreApplication::sendPostedEvents(frame.get());
}

void FrameRig::PlayBuffers(int count) {
    for (int i = 0; i < count && stream.PlayBuffer(); ++i) {
        HandlePosted();
    }
    HandlePosted();
}

RecordingMonitor* FrameRig::Monitor(MonitorKind kind) {
    return static_cast<RecordingMonitor*>(frame->monitors().Find(kind));
}

}  // namespace tavrino::test
