#include "monitors/mon_piano.h"

#include <QPainter>
#include <utility>

#include "monitors/key_positions.h"

namespace tavrino {

namespace {

constexpr int kPianoProgram = 0;
constexpr int kFirstKeyId = 33268;
constexpr int kKeyTop = 10;
constexpr int kWhiteWidth = 14;
constexpr int kWhiteHeight = 75;
constexpr int kBlackWidth = 12;
constexpr int kBlackHeight = 45;
constexpr int kBlackOverlap = 7;  // of the white key to the left
constexpr int kWindowHeight = 115;
constexpr int kRightGap = 13;

// Two octaves from C3 on the lower rows of the keyboard and from C4 on the
// upper ones, white keys on the letter rows and black keys above them.
constexpr std::array<std::pair<int, int>, 37> kKeyNotes = {{
    {44, 48}, {45, 50}, {46, 52}, {47, 53}, {48, 55}, {49, 57}, {50, 59}, {31, 49},
    {32, 51}, {34, 54}, {35, 56}, {36, 58}, {51, 60}, {52, 62}, {53, 64}, {38, 61},
    {39, 63}, {16, 60}, {17, 62}, {18, 64}, {19, 65}, {20, 67}, {21, 69}, {22, 71},
    {23, 72}, {24, 74}, {25, 76}, {26, 77}, {27, 79}, {3, 61},  {4, 63},  {6, 66},
    {7, 68},  {8, 70},  {10, 73}, {11, 75}, {13, 78},
}};

bool IsBlack(int note) {
    switch (note % 12) {
        case 1:
        case 3:
        case 6:
        case 8:
        case 10:
            return true;
        default:
            return false;
    }
}

// A key of the keyboard, drawn as one.
class PianoKey : public NoteButton {
public:
    PianoKey(int note, QWidget* parent)
        : NoteButton(kFirstKeyId + note - CMonPiano::kLowestNote, QString(), parent), note_(note) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const bool black = IsBlack(note_);
        const bool pressed = isShownPressed();
        const QRectF face = QRectF(rect()).adjusted(0.5, -2, -0.5, -0.5);
        QLinearGradient gradient(face.topLeft(), face.bottomLeft());
        if (pressed) {
            gradient.setColorAt(0, accent().darker(black ? 130 : 110));
            gradient.setColorAt(1, accent());
        } else if (black) {
            gradient.setColorAt(0, QColor(20, 20, 22));
            gradient.setColorAt(0.85, QColor(58, 58, 62));
            gradient.setColorAt(1, QColor(30, 30, 32));
        } else {
            gradient.setColorAt(0, QColor(236, 236, 232));
            gradient.setColorAt(0.2, Qt::white);
            gradient.setColorAt(1, QColor(246, 246, 242));
        }
        painter.setBrush(gradient);
        painter.setPen(QPen(QColor(60, 60, 60), 1));
        painter.drawRoundedRect(face, 2, 2);
        if (note_ % 12 == 0) {
            // The Cs carry their octave, so that a player finds middle C (C4).
            QFont small("Arial");
            small.setPixelSize(8);
            painter.setFont(small);
            painter.setPen(QColor(90, 90, 90));
            painter.drawText(rect().adjusted(0, 0, 0, -3), Qt::AlignHCenter | Qt::AlignBottom,
                             QString("C%1").arg(note_ / 12 - 1));
        }
    }

private:
    int note_;
};

}  // namespace

void CMonPiano::paintEvent(QPaintEvent*) {
    // The keys sit in a dark case behind a strip of red felt, as on a piano.
    QPainter painter(this);
    painter.fillRect(rect(), QColor(38, 34, 32));
    painter.fillRect(QRect(0, kKeyTop - 3, width(), 3), QColor(140, 24, 30));
}

CMonPiano::CMonPiano(const MonitorServices& services)
    : PlayableMonitor(services.store, kPianoProgram), settings_(services.settings) {}

int CMonPiano::PreCreate(MonitorCreateParameters& parameters) {
    parameters.title = "Tavrino! Piano";
    return 0;
}

int CMonPiano::NoteOfKeyPosition(int position) {
    for (const auto& [code, note] : kKeyNotes) {
        if (code == position) {
            return note;
        }
    }
    return -1;
}

int CMonPiano::CreateContents() {
    setFocusPolicy(Qt::StrongFocus);
    int x = 4;
    const Rgb played = settings_.colorPlayed.ToRgb();
    for (int note = kLowestNote; note <= kHighestNote; ++note) {
        auto* key = new PianoKey(note, this);
        key->setAccent(QColor(played.red, played.green, played.blue));
        if (IsBlack(note)) {
            key->setGeometry(x - kBlackOverlap, kKeyTop, kBlackWidth, kBlackHeight);
        } else {
            key->setGeometry(x, kKeyTop, kWhiteWidth, kWhiteHeight);
            x += kWhiteWidth;
        }
        connect(key, &NoteButton::notePressed, this, [this, note] { PlayNote({note}, true); });
        connect(key, &NoteButton::noteReleased, this, [this, note] { PlayNote({note}, false); });
        keys_.Put(static_cast<std::size_t>(note - kLowestNote), key);
    }
    for (int note = kLowestNote; note <= kHighestNote; ++note) {
        if (IsBlack(note)) {
            Key(note)->raise();
        }
    }
    ResetDisplay(false);
    setFixedSize(x + kRightGap, kWindowHeight);
    RestorePlacement(x + kRightGap, kWindowHeight, true);
    return 0;
}

void CMonPiano::DestroyContents() {
    SilenceHeldKeys();
}

NoteButton* CMonPiano::Key(int note) const {
    return note < kLowestNote ? nullptr : keys_[static_cast<std::size_t>(note - kLowestNote)];
}

int CMonPiano::ResetDisplay(bool) {
    keys_.ReleaseAll();
    return 0;
}

// Notes off the keyboard fall outside the slots, which ignore them.
void CMonPiano::NoteOn(int key, int, int) {
    if (key >= kLowestNote) {
        keys_.Press(static_cast<std::size_t>(key - kLowestNote));
    }
}

void CMonPiano::NoteOff(int key, int, int) {
    if (key >= kLowestNote) {
        keys_.Release(static_cast<std::size_t>(key - kLowestNote));
    }
}

std::optional<KeyNote> CMonPiano::KeyNoteAt(int position) const {
    const int note = NoteOfKeyPosition(position);
    return note < 0 ? std::nullopt : std::optional(KeyNote{note});
}

}  // namespace tavrino
