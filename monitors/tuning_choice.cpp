#include "monitors/tuning_choice.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace tavrino {

QFont ArialFont(int pixels) {
    QFont font("Arial");
    font.setPixelSize(pixels);
    return font;
}

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString TuningFilePrompt::AskPath(QWidget* parent) {
    return QFileDialog::getOpenFileName(parent, "Open tuning file", QString(),
                                        "Tuning files (*.tun);;All files (*)");
}

void TuningFilePrompt::ShowProblem(QWidget* parent, const QString& text) {
    QMessageBox::warning(parent, "Tavrino! Warning", text);
}

bool LoadCustomTuning(HarmonicaLayout& layout, std::string_view kind, std::string_view needs,
                      TuningFilePrompt& prompt, QWidget* parent) {
    const QString path = prompt.AskPath(parent);
    if (path.isEmpty()) {
        return false;
    }
    if (layout.LoadTuningFile(path.toStdString()) == 0) {
        return true;
    }
    const QFileInfo file(path);
    const QString reason =
        file.isFile() && file.isReadable()
            ? QString("%1 is not a %2 tuning file: it needs %3.")
                  .arg(file.fileName(), FromView(kind), FromView(needs))
            : QString("Cannot read the tuning file %1.").arg(QDir::toNativeSeparators(path));
    prompt.ShowProblem(parent, reason + " The harmonica stays as it was.");
    return false;
}

}  // namespace tavrino
