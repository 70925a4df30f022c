#include "dialogs/entry_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QVBoxLayout>

namespace tavrino {

namespace {

QLineEdit* NumberField(int characters, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setAlignment(Qt::AlignRight);
    edit->setMaxLength(characters + 2);
    const int digitWidth = edit->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    edit->setFixedWidth(digitWidth * (characters + 2) + 12);
    return edit;
}

QString SongPositionsText(const MidiSong& song) {
    if (song.bars.empty()) {
        return "The song has no bars yet";
    }
    return QString("Bars 1 to %1, %2 ticks per beat")
        .arg(static_cast<qlonglong>(song.bars.size()))
        .arg(song.division);
}

}  // namespace

PositionEdit::PositionEdit(QWidget* parent)
    : QWidget(parent),
      bar_(NumberField(4, this)),
      beat_(NumberField(2, this)),
      tick_(NumberField(4, this)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(bar_);
    row->addWidget(new QLabel(":", this));
    row->addWidget(beat_);
    row->addWidget(new QLabel(":", this));
    row->addWidget(tick_);
    row->addStretch();
    bar_->setToolTip("Bar, from 1");
    beat_->setToolTip("Beat (quarter note) in the bar, from 1");
    tick_->setToolTip("Tick in the beat, from 0");
}

void PositionEdit::SetPosition(const BarBeat& position) {
    bar_->setText(QString::number(position.bar));
    beat_->setText(QString::number(position.beat));
    tick_->setText(QString::number(position.tick));
}

std::optional<BarBeat> PositionEdit::Position(EntryProblem* problem) const {
    BarBeat position;
    for (const auto& [field, target] :
         {std::pair{EntryField::kBar, &position.bar}, std::pair{EntryField::kBeat, &position.beat},
          std::pair{EntryField::kTick, &position.tick}}) {
        const std::optional<double> number = ParseNumber(Field(field)->text(), true);
        if (!number || *number < INT32_MIN || *number > INT32_MAX) {
            *problem = {field, "Please enter a whole number."};
            return std::nullopt;
        }
        *target = static_cast<int>(*number);
    }
    return position;
}

BarBeat PositionEdit::Entered() const {
    EntryProblem ignored;
    return Position(&ignored).value_or(BarBeat{});
}

std::optional<EntryProblem> PositionEdit::Check(const MidiSong& song) const {
    EntryProblem problem;
    const std::optional<BarBeat> position = Position(&problem);
    if (!position) {
        return problem;
    }
    return CheckPosition(song, *position);
}

QLineEdit* PositionEdit::Field(EntryField field) const {
    switch (field) {
        case EntryField::kBar:
            return bar_;
        case EntryField::kBeat:
            return beat_;
        default:
            return tick_;
    }
}

EntryDialog::EntryDialog(QWidget* parent) : QDialog(parent), form_(new QFormLayout) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &EntryDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &EntryDialog::reject);
    auto* column = new QVBoxLayout(this);
    column->addLayout(form_);
    column->addWidget(buttons);
    column->setSizeConstraint(QLayout::SetFixedSize);
}

void EntryDialog::accept() {
    const std::optional<EntryProblem> problem = Check();
    if (!problem) {
        QDialog::accept();
        return;
    }
    QMessageBox::warning(this, "Tavrino! Warning", QString::fromStdString(problem->message));
    if (QLineEdit* field = Field(problem->field)) {
        field->setFocus();
        field->selectAll();
    }
}

void EntryDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    for (const EntryField field : {EntryField::kBar, EntryField::kValue}) {
        if (QLineEdit* edit = Field(field); edit != nullptr && edit->isEnabled()) {
            edit->setFocus();
            edit->selectAll();
            return;
        }
    }
}

PositionEntryDialog::PositionEntryDialog(const MidiSong& song, QWidget* parent)
    : EntryDialog(parent), song_(song), position_(new PositionEdit(this)) {
    form().addRow("Bar:Beat:Tick", position_);
    auto* hint = new QLabel(SongPositionsText(song), this);
    hint->setEnabled(false);  // drawn in the dimmed text colour
    form().addRow(QString(), hint);
    SetPosition({1, 1, 0});
}

std::optional<EntryProblem> PositionEntryDialog::Check() const {
    if (!position_->isEnabled()) {
        return std::nullopt;
    }
    return position_->Check(song_);
}

std::optional<double> ParseNumber(const QString& text, bool integer) {
    QString trimmed = text.trimmed();
    if (!integer) {
        trimmed.replace(QLatin1Char(','), QLatin1Char('.'));
    }
    bool ok = false;
    const double number = integer ? trimmed.toLongLong(&ok) : trimmed.toDouble(&ok);
    if (!ok) {
        return std::nullopt;
    }
    return number;
}

}  // namespace tavrino
