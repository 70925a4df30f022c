#include "dialogs/program_entry.h"

#include <QFormLayout>

#include "dialogs/gm_programs.h"

namespace tavrino {

CProgramEntry::CProgramEntry(const MidiSong& song, QWidget* parent)
    : PositionEntryDialog(song, parent), programs_(new QComboBox(this)) {
    setWindowTitle("Program");
    programs_->setMaxVisibleItems(20);
    form().addRow("Program", programs_);
    SetProgram(-1, -1);
}

void CProgramEntry::SetProgram(int program, int channel, const BarBeat& position) {
    const bool adding = program < 0;
    SetPosition(position);
    FixPosition(!adding);
    programs_->clear();
    for (int i = 0; i < kProgramCount; ++i) {
        programs_->addItem(QString::fromStdString(ProgramChoiceName(i, channel)));
    }
    programs_->setCurrentIndex(adding ? 0 : std::clamp(program, 0, kProgramCount - 1));
}

}  // namespace tavrino
