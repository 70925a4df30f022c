// The score view under the mouse and the keyboard: synthesized events on the
// offscreen platform, the song checked after every edit.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <random>

#include "document/document_fakes.h"
#include "document/test_songs.h"
#include "song/song_invariants.h"
#include "support/menu_choice.h"
#include "view/note_menu.h"
#include "view/tavrino_view.h"

namespace tavrino {
namespace {

constexpr int kDivision = 480;

class ViewMouseTest : public ::testing::Test {
protected:
    ViewMouseTest() : view_(doc_, settings_, diatonic_, chromatic_) {
        test::AddTempo(test::AddTrack(doc_.song), 0, 500000);
        MidiTrack& melody = test::AddTrack(doc_.song);
        // C D E F a quarter each, then a whole G.
        for (int i = 0; i < 4; ++i) {
            notes_.push_back(
                &test::AddNote(melody, 0, std::array{60, 62, 64, 65}[i], 480 * i, 480 * (i + 1)));
        }
        notes_.push_back(&test::AddNote(melody, 0, 67, 1920, 3840));
        test::FinishSong(doc_.song, kDivision);
        view_.resize(800, 600);
        view_.SetEditMode(true);
        Paint();
        QObject::connect(&view_, &CTavrinoView::noteRequested, [this](int key, bool pressed) {
            requests_.push_back((pressed ? "press " : "release ") + std::to_string(key));
        });
    }

    void Paint() { view_.viewport()->grab(); }

    void Send(QEvent::Type type, QPoint at, Qt::MouseButton button,
              Qt::KeyboardModifiers keys = Qt::NoModifier) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
        QMouseEvent event(type, at, view_.viewport()->mapToGlobal(at), button, held, keys);
        QCoreApplication::sendEvent(view_.viewport(), &event);
    }
    void Click(QPoint at, Qt::KeyboardModifiers keys = Qt::NoModifier,
               Qt::MouseButton button = Qt::LeftButton) {
        Send(QEvent::MouseButtonPress, at, button, keys);
        Send(QEvent::MouseButtonRelease, at, button, keys);
        Paint();
    }
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers keys = Qt::NoModifier) {
        Send(QEvent::MouseButtonPress, from, Qt::LeftButton, keys);
        Send(QEvent::MouseMove, (from + to) / 2, Qt::LeftButton, keys);
        Send(QEvent::MouseMove, to, Qt::LeftButton, keys);
        Send(QEvent::MouseButtonRelease, to, Qt::LeftButton, keys);
        Paint();
    }
    void PressKey(int key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(&view_, &event);
        Paint();
    }

    // Inside the note's bar, clear of its edges.
    QPoint On(const MidiEvent& note) const {
        const PixelRect bar = view_.NoteBarOf(note);
        return {bar.left + 4, (bar.top + bar.bottom) / 2};
    }
    QPoint Handle(const MidiEvent& note) const {
        const PixelRect bar = view_.NoteBarOf(note);
        return {bar.right + 2, (bar.top + bar.bottom) / 2};
    }
    int XOf(std::int32_t tick) const {
        const PixelRect bar = view_.NoteBarOf(*notes_[0]);
        return bar.left + tick * 72 / kDivision;  // 72 pixels a quarter at 100 %
    }

    test::FakeHost host_;
    test::FakePlayer player_;
    CTavrinoDoc doc_{host_, player_};
    Settings settings_;
    DiatonicLayout diatonic_;
    ChromaticLayout chromatic_;
    CTavrinoView view_;
    std::vector<MidiEvent*> notes_;
    std::vector<std::string> requests_;
};

TEST_F(ViewMouseTest, TheBandSetsTheMarksAndBelowTheStaffClearsThem) {
    int resets = 0;
    QObject::connect(&view_, &CTavrinoView::monitorsReset, [&](bool) { ++resets; });
    Click({XOf(960), 4});
    EXPECT_EQ(doc_.beginMark, 960);
    Click({XOf(1440) + 1, 4}, Qt::NoModifier, Qt::RightButton);
    EXPECT_EQ(doc_.endMark, 1440);
    // Shift at a tick before the begin mark: the end mark, and no begin mark.
    Click({XOf(480), 4}, Qt::ShiftModifier);
    EXPECT_EQ(doc_.beginMark, kNoMark);
    EXPECT_EQ(doc_.endMark, 480);
    Click({XOf(480), view_.viewport()->height() - 3});
    EXPECT_EQ(doc_.endMark, kNoMark);
    EXPECT_EQ(resets, 4);
}

TEST_F(ViewMouseTest, ClicksSelectNotesCtrlAddsAndEmptyStaffMovesTheCursor) {
    Click(On(*notes_[0]));
    ASSERT_EQ(view_.Trackers().Count(), 1u);
    Click(On(*notes_[2]), Qt::ControlModifier);
    ASSERT_EQ(view_.Trackers().Count(), 2u);
    // A click on any selected note keeps the selection, for a group drag.
    Click(On(*notes_[0]));
    EXPECT_EQ(view_.Trackers().Count(), 2u);
    // Empty staff: no selection, and the edit cursor on the grid.
    Click({XOf(3000) + 1, On(*notes_[0]).y() - 80});
    EXPECT_EQ(view_.Trackers().Count(), 0u);
    EXPECT_EQ(doc_.editCursor, 3000);
    EXPECT_TRUE(requests_.empty()) << "mouse writing is off";
}

TEST_F(ViewMouseTest, DraggingMovesTheGroupAndTheHandleStretchesOneNote) {
    MidiEvent& c = *notes_[0];
    MidiEvent& e = *notes_[2];
    Click(On(c));
    Click(On(e), Qt::ControlModifier);
    // A quarter later and a whole step up, from the first note.
    Drag(On(c), On(c) + QPoint(72, -8));
    EXPECT_EQ(c.time, 480);
    EXPECT_EQ(c.data1, 62);
    EXPECT_EQ(e.time, 1440);
    EXPECT_EQ(e.data1, 66);
    EXPECT_EQ(e.duration, 480);
    EXPECT_TRUE(test::SongIsConsistent(doc_.song));
    EXPECT_TRUE(doc_.IsModified());

    Click({XOf(3000), On(c).y() - 80});
    Click(On(e));
    Drag(Handle(e), Handle(e) + QPoint(36, 0));
    EXPECT_EQ(e.time, 1440);
    EXPECT_EQ(e.duration, 720);
    EXPECT_EQ(c.duration, 480) << "only the dragged note's length follows";
    EXPECT_TRUE(test::SongIsConsistent(doc_.song));
}

TEST_F(ViewMouseTest, DeleteRemovesEverySelectedNoteAndOnlyInEditMode) {
    Click(On(*notes_[1]));
    Click(On(*notes_[3]), Qt::ControlModifier);
    PressKey(Qt::Key_Delete);
    EXPECT_EQ(view_.Trackers().Count(), 0u);
    EXPECT_EQ(doc_.song.tracks[1]->count(), 7u);  // three notes and the end of track
    EXPECT_TRUE(test::SongIsConsistent(doc_.song));

    Click(On(*notes_[0]));
    view_.SetEditMode(false);
    EXPECT_EQ(view_.Trackers().Count(), 0u);
    PressKey(Qt::Key_Delete);
    EXPECT_EQ(doc_.song.tracks[1]->count(), 7u);
}

TEST_F(ViewMouseTest, MouseWritingPressesTheKeyAndReleasesItOnButtonUp) {
    doc_.mouseWrite = true;
    const QPoint onStaff{XOf(3000), On(*notes_[0]).y()};
    Send(QEvent::MouseButtonPress, onStaff, Qt::LeftButton);
    EXPECT_EQ(requests_, std::vector<std::string>{"press 60"});
    Send(QEvent::MouseButtonRelease, onStaff, Qt::LeftButton);
    EXPECT_EQ(requests_, (std::vector<std::string>{"press 60", "release 60"}));
    // Far above the highest key nothing is written.
    requests_.clear();
    view_.verticalScrollBar()->setValue(view_.verticalScrollBar()->minimum());
    Paint();
    Click({XOf(3000), view_.NoteBarOf(*notes_[0]).top - 127 * 8});
    EXPECT_TRUE(requests_.empty());
}

TEST_F(ViewMouseTest, TheNoteMenuShowsAnotherTabHidesAndDeletesTracks) {
    diatonic_.Reset(60, nullptr, settings_);
    view_.SetTablatureType(kTablatureDiatonic);
    Paint();
    std::vector<bool> resets;
    QObject::connect(&view_, &CTavrinoView::monitorsReset,
                     [&](bool newSong) { resets.push_back(newSong); });
    MidiEvent& g = *notes_[4];  // G: draw 2, or blow 3
    test::ChooseFromMenu(kMenuFirstAlternate + 1);
    Click(On(g), Qt::NoModifier, Qt::RightButton);
    EXPECT_EQ(doc_.shownAlternates.at(&g), 1);

    test::ChooseFromMenu(kMenuHideTrack);
    Click(On(g), Qt::NoModifier, Qt::RightButton);
    EXPECT_FALSE(doc_.song.tracks[1]->visible());
    EXPECT_EQ(resets, std::vector<bool>{true});

    doc_.song.tracks[1]->flags = MidiTrack::kVisible;
    Paint();
    test::ChooseFromMenu(kMenuDeleteTrack);
    Click(On(g), Qt::NoModifier, Qt::RightButton);
    ASSERT_EQ(doc_.song.tracks.size(), 1u);
    EXPECT_TRUE(doc_.shownAlternates.empty()) << "no note outlives its track";
    EXPECT_TRUE(test::SongIsConsistent(doc_.song));
}

// Random clicks, drags, selections and deletions with writing on: the song
// stays what the player and the writer rely on after every step.
TEST_F(ViewMouseTest, ARandomSequenceOfMouseEditsKeepsTheSongConsistent) {
    doc_.mouseWrite = true;
    doc_.noteDuration = 200;
    doc_.noteGap = 40;
    QObject::connect(&view_, &CTavrinoView::noteRequested, [this](int key, bool pressed) {
        if (pressed) {
            doc_.WriteNote(key, kStepEntry);
        }
    });
    std::mt19937 random(7);
    const auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const QRect area = view_.viewport()->rect();
    const auto anywhere = [&] {
        return QPoint(pick(0, area.width() + 20), pick(-10, area.height() + 10));
    };
    const auto someNote = [&]() -> std::optional<QPoint> {
        std::vector<const MidiEvent*> shown;
        for (const MidiEvent* event : doc_.song.messages) {
            if (event->playable != 0) {
                shown.push_back(event);
            }
        }
        if (shown.empty()) {
            return std::nullopt;
        }
        return On(*shown[static_cast<std::size_t>(pick(0, static_cast<int>(shown.size()) - 1))]);
    };
    for (int step = 0; step < 300; ++step) {
        const std::array<Qt::KeyboardModifiers, 5> choices = {
            Qt::NoModifier, Qt::NoModifier, Qt::ControlModifier, Qt::ShiftModifier,
            Qt::ControlModifier | Qt::ShiftModifier};
        const Qt::KeyboardModifiers keys = choices[static_cast<std::size_t>(pick(0, 4))];
        std::string what;
        switch (pick(0, 5)) {
            case 0:
                what = "click";
                Click(anywhere(), keys);
                break;
            case 1:
            case 2:
                if (const auto at = someNote()) {
                    what = "drag";
                    Click(*at, keys);
                    Drag(*at, *at + QPoint(pick(-300, 300), pick(-400, 400)), keys);
                }
                break;
            case 3:
                if (const auto at = someNote()) {
                    what = "stretch";
                    Click(*at);
                    const PixelRect frame = view_.Trackers().Frame(0);
                    const QPoint handle{frame.right + 2, (frame.top + frame.bottom) / 2};
                    Drag(handle, handle + QPoint(pick(-200, 200), 0), keys);
                }
                break;
            case 4:
                what = "delete";
                PressKey(Qt::Key_Delete);
                break;
            default:
                what = "scroll";
                view_.verticalScrollBar()->setValue(pick(view_.verticalScrollBar()->minimum(),
                                                         view_.verticalScrollBar()->maximum()));
                Paint();
                break;
        }
        ASSERT_TRUE(test::SongIsConsistent(doc_.song)) << "step " << step << ": " << what;
        for (std::size_t i = 0; i < view_.Trackers().Count(); ++i) {
            ASSERT_NE(view_.Trackers().NoteAt(i)->track, nullptr) << "step " << step;
        }
    }
}

}  // namespace
}  // namespace tavrino
