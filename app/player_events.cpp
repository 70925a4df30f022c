#include "app/player_events.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QWidget>
#include <QtDebug>

namespace tavrino {

void PostingNotifier::Post(int message, std::uintptr_t wParam, std::intptr_t lParam) {
    QCoreApplication::postEvent(receiver_, new PlayerEvent(message, wParam, lParam));
}

void PostingNotifier::ShowWarning(std::string_view text, std::string_view caption) {
    const QString boxText = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QString boxCaption =
        QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
    QMetaObject::invokeMethod(receiver_, [receiver = receiver_, boxText, boxCaption] {
        QMessageBox::critical(qobject_cast<QWidget*>(receiver), boxCaption, boxText);
    });
}

void PostingNotifier::DebugOutput(std::string_view text) {
    qDebug().noquote() << QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace tavrino
