#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QScrollBar>

#include "document/document_fakes.h"
#include "document/test_songs.h"
#include "view/score_page.h"
#include "view/tavrino_view.h"
#include "view/text_row.h"

namespace tavrino {
namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

class ScoreRenderTest : public ::testing::Test {
protected:
    ScoreRenderTest() {
        MidiTrack& melody = test::AddTrack(song_);
        // C E G, one quarter each from tick 0, and B two bars later.
        test::AddNote(melody, 0, 60, 0, 480);
        test::AddNote(melody, 0, 64, 480, 960);
        test::AddNote(melody, 0, 67, 960, 1440);
        test::AddNote(melody, 0, 71, 3840, 4320);
        test::FinishSong(song_, 480);
        diatonic_.Reset(60, nullptr, settings_);
    }

    ScoreScene Scene(int tablature = kTablatureNotes, PlayState play = {}) const {
        return ScoreScene{song_, settings_,
                          TabSource{tablature, &diatonic_, nullptr, settings_.symbols, 0}, play};
    }

    // A point inside the note's bar clear of its text and of the line that
    // may run through its middle.
    QPoint BarInside(const ScoreScene& scene, int key, std::int32_t start,
                     std::int32_t duration) const {
        const ScoreStyle style(settings_);
        ScorePage page(settings_.tabStaffSpace);
        page.Resize(kWidth, kHeight);
        page.MeasureLineHeight(style.tabFont);
        page.Follow(scene.song, scene.play.tick);
        const PixelRect bar = NoteRect(page.layout(), page.window(), key, start, duration, false);
        return QPoint(bar.right - 3, bar.top + 2);
    }

    Settings settings_;
    DiatonicLayout diatonic_;
    MidiSong song_;
};

TEST_F(ScoreRenderTest, NoteBarsTakeTheTrackColourOrTheHarmonicaAction) {
    const ScoreScene notes = Scene();
    const QImage image = RenderScore(notes, kWidth, kHeight, kDefaultZoomIndex, 0);
    ASSERT_EQ(image.size(), QSize(kWidth, kHeight));
    const ScoreStyle style(settings_);
    EXPECT_EQ(image.pixelColor(BarInside(notes, 60, 0, 480)), style.TrackColour(0));

    // On a C diatonic harmonica, C4 (hole 1) is blown, G4 and B4 (holes 2, 3) drawn.
    const ScoreScene tabs = Scene(kTablatureDiatonic);
    const QImage tabImage = RenderScore(tabs, kWidth, kHeight, kDefaultZoomIndex, 0);
    EXPECT_EQ(tabImage.pixelColor(BarInside(tabs, 60, 0, 480)), ToQColor(settings_.colorBlow));
    EXPECT_EQ(tabImage.pixelColor(BarInside(tabs, 71, 3840, 480)), ToQColor(settings_.colorDraw));
}

// The rows of the text row's first two lines that hold ink, as [first line, second line].
std::pair<bool, bool> TextRowInk(const QImage& image, const ScoreLayout& layout, int lineHeight,
                                 int left, int right) {
    std::pair<bool, bool> ink{false, false};
    for (int y = layout.staffBottom + 1; y < layout.bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (image.pixelColor(x, y).lightness() < 128) {
                (y < layout.staffBottom + 1 + lineHeight ? ink.first : ink.second) = true;
            }
        }
    }
    return ink;
}

TEST_F(ScoreRenderTest, TextsThatWouldOverlapMoveDownALine) {
    MidiTrack& words = test::AddTrack(song_);
    const auto addText = [&words](std::int32_t time, std::string_view text, int type) {
        test::AddEvent(words, time,
                       CreateMetaEvent(time, type,
                                       std::span(reinterpret_cast<const std::uint8_t*>(text.data()),
                                                 text.size())));
    };
    addText(0, "Chorus", 0x01);
    addText(0, "twin-", 0x05);
    addText(3840, "far", 0x05);
    test::FinishSong(song_, 480);
    const ScoreScene scene = Scene();
    const QImage image = RenderScore(scene, kWidth, kHeight, kDefaultZoomIndex, 0);
    const ScoreStyle style(settings_);
    ScorePage page(settings_.tabStaffSpace);
    page.Resize(kWidth, kHeight);
    page.MeasureLineHeight(style.tabFont);
    page.Follow(scene.song, 0);
    const ScoreLayout& layout = page.layout();
    ASSERT_GE(layout.bottom - layout.staffBottom, 2 * style.textLineHeight);

    const int chorusLeft = TickToX(layout, page.window(), 0);
    EXPECT_EQ(TextRowInk(image, layout, style.textLineHeight, chorusLeft, chorusLeft + 30),
              std::pair(true, true))
        << "the lyric at the text's tick goes below it";
    const int farLeft = TickToX(layout, page.window(), 3840);
    EXPECT_EQ(TextRowInk(image, layout, style.textLineHeight, farLeft, farLeft + 15),
              std::pair(true, false))
        << "a text with room stays on the first line";
}

TEST(TextRowTest, OverlappingTextsTakeTheNextFreeLine) {
    struct Case {
        std::vector<TextRowSpan> texts;
        std::vector<int> lines;
    };
    const Case cases[] = {
        {{{0, 40}, {0, 30}, {100, 10}}, {0, 1, 0}},
        // Crowded syllables alternate; the third fits behind the first.
        {{{0, 20}, {10, 20}, {25, 20}, {35, 20}}, {0, 1, 0, 1}},
        // With both lines taken a text goes on the last.
        {{{0, 50}, {5, 50}, {10, 50}}, {0, 1, 1}},
        {{}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlaceTextRowLines(c.texts, 2), c.lines);
    }
    EXPECT_EQ(PlaceTextRowLines(std::vector<TextRowSpan>{{0, 9}, {1, 9}}, 1),
              (std::vector<int>{0, 0}));
}

TEST_F(ScoreRenderTest, PassedNotesArePaintedInThePlayedColour) {
    const ScoreScene playing = Scene(kTablatureDiatonic, PlayState{true, 700, -1});
    const QImage image = RenderScore(playing, kWidth, kHeight, kDefaultZoomIndex, 700);
    const QColor played = ToQColor(settings_.colorPlayed);
    EXPECT_EQ(image.pixelColor(BarInside(playing, 60, 0, 480)), played);
    EXPECT_EQ(image.pixelColor(BarInside(playing, 64, 480, 480)), played);
    EXPECT_EQ(image.pixelColor(BarInside(playing, 67, 960, 480)), ToQColor(settings_.colorDraw));
    // The frame's display index, once set, decides instead of the tick.
    const ScoreScene byIndex = Scene(kTablatureNotes, PlayState{true, 700, 1});
    const QImage indexed = RenderScore(byIndex, kWidth, kHeight, kDefaultZoomIndex, 700);
    EXPECT_EQ(indexed.pixelColor(BarInside(byIndex, 60, 0, 480)), played);
    EXPECT_NE(indexed.pixelColor(BarInside(byIndex, 64, 480, 480)), played);
}

TEST_F(ScoreRenderTest, APlayedNoteIsPaintedOntoTheCachedPageOverItsBar) {
    const ScoreScene scene = Scene();
    const ScoreStyle style(settings_);
    ScorePage page(settings_.tabStaffSpace);
    page.Resize(kWidth, kHeight);
    page.MeasureLineHeight(style.tabFont);
    page.Follow(song_, 0);
    page.Image(scene, style, 1.0);
    const MessageList& messages = song_.messages;
    std::int32_t noteOn = -1;
    std::int32_t noteEnd = -1;
    for (std::size_t index = 0; index < messages.size(); ++index) {
        if (messages[index]->data1 == 60 && messages[index]->playable != 0) {
            noteOn = static_cast<std::int32_t>(index);
        } else if (messages[index]->data1 == 60 && messages[index]->isNoteEnd()) {
            noteEnd = static_cast<std::int32_t>(index);
        }
    }
    ASSERT_GE(noteOn, 0);
    ASSERT_GE(noteEnd, 0);
    // Not yet played: the bar has its track's colour until painted over.
    ASSERT_EQ(page.CachedImage().pixelColor(BarInside(scene, 60, 0, 480)), style.TrackColour(0));

    QPainter painter(&page.CachedImage());
    ScorePainter onPage(painter, style, scene, page.layout(), page.window());
    // The view repaints the screen where the bar went, and nothing for an
    // event that is no note.
    EXPECT_EQ(onPage.PaintPlayedNote(noteOn),
              NoteRect(page.layout(), page.window(), 60, 0, 480, false));
    EXPECT_EQ(onPage.PaintPlayedNote(noteEnd), std::nullopt);
    EXPECT_EQ(onPage.PaintPlayedNote(-1), std::nullopt);
    EXPECT_EQ(onPage.PaintPlayedNote(static_cast<std::int32_t>(messages.size())), std::nullopt);
    painter.end();
    EXPECT_EQ(page.CachedImage().pixelColor(BarInside(scene, 60, 0, 480)),
              ToQColor(settings_.colorPlayed));
}

TEST_F(ScoreRenderTest, PositionBandShowsThePlayTick) {
    const ScoreScene scene = Scene(kTablatureNotes, PlayState{false, 960, -1});
    const QImage image = RenderScore(scene, kWidth, kHeight, kDefaultZoomIndex, 960);
    const int x = ScoreLayout::kClefWidth + 2 * 72;  // two quarters in at 100 %
    const ScoreStyle style(settings_);
    EXPECT_EQ(image.pixelColor(x - 3, 3), ToQColor(settings_.colorPlayed));
    EXPECT_EQ(image.pixelColor(x + 3, 3), style.TrackColour(0));
    EXPECT_EQ(image.pixelColor(x + 3, 8), QColor(Qt::white));
}

TEST_F(ScoreRenderTest, HiddenTracksAreNotDrawnUnlessHighlighted) {
    song_.tracks[0]->flags = 0;
    const ScoreScene scene = Scene();
    const QPoint middleC = BarInside(scene, 60, 0, 480);
    EXPECT_EQ(RenderScore(scene, kWidth, kHeight, kDefaultZoomIndex, 0).pixelColor(middleC),
              QColor(Qt::white));
    song_.tracks[0]->flags = MidiTrack::kHighlighted;
    EXPECT_EQ(RenderScore(scene, kWidth, kHeight, kDefaultZoomIndex, 0).pixelColor(middleC),
              ToQColor(settings_.colorSelect));
}

TEST_F(ScoreRenderTest, TabTextFollowsTheTablatureType) {
    EXPECT_EQ(TabTextForNote(Scene().tabs, 61, 0, false).holeText, "C#");
    EXPECT_EQ(TabTextForNote(Scene().tabs, 61, 0, false).accidental, '#');
    EXPECT_FALSE(TabTextForNote(Scene().tabs, 61, 1, false).exists);
    const NoteTabText blow = TabTextForNote(Scene(kTablatureDiatonic).tabs, 60, 0, true);
    EXPECT_TRUE(blow.exists);
    EXPECT_EQ(blow.symbol + blow.holeText, "+1");
    EXPECT_EQ(TabTextForNote(Scene(7).tabs, 60, 0, false).holeText, "?");
}

// A stopped player's position, which the test moves.
struct MovedPosition : PlayPositionSource {
    bool IsPlaying() const override { return false; }
    const PlayPosition& SharedPosition() const override { return position; }
    PlayPosition position;
};

// The view of a long note, following a position that the test moves.
class ViewFollowTest : public ScoreRenderTest {
protected:
    ViewFollowTest() : doc_(host_, documentPlayer_), view_(doc_, settings_, diatonic_, chromatic_) {
        MidiTrack& track = test::AddTrack(doc_.song);
        test::AddNote(track, 0, 60, 0, 480 * 200);
        test::FinishSong(doc_.song, 480);
        view_.AttachPlayer(&player_);
        view_.resize(kWidth, kHeight);
        view_.SetScrollRange(200);
        Paint();
    }

    QImage Paint() { return view_.viewport()->grab().toImage(); }

    test::FakeHost host_;
    test::FakePlayer documentPlayer_;
    CTavrinoDoc doc_;
    MovedPosition player_;
    ChromaticLayout chromatic_;
    CTavrinoView view_;
};

TEST_F(ViewFollowTest, PageTurnsWhenThePlayTickPassesTwoQuartersBeforeTheEnd) {
    const std::int32_t last = view_.LastTick();
    ASSERT_GT(last, 0);
    player_.position.current = last - 2 * 480;
    Paint();
    EXPECT_EQ(view_.FirstTick(), 0);
    player_.position.current = last - 2 * 480 + 1;
    Paint();
    EXPECT_EQ(view_.FirstTick(), last - 2 * 480);  // the quarter holding the tick
    EXPECT_EQ(view_.LastTick(), view_.FirstTick() + last);
    // Rewound before the page, it goes back.
    player_.position.current = 500;
    Paint();
    EXPECT_EQ(view_.FirstTick(), 480);
}

TEST_F(ViewFollowTest, ScrollingMovesThePlayTickAndThePageTogether) {
    std::vector<std::int32_t> scrolled;
    QObject::connect(&view_, &CTavrinoView::playTickScrolled, [&](std::int32_t tick) {
        scrolled.push_back(tick);
        player_.position.current = tick;
    });
    view_.horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    Paint();
    EXPECT_EQ(scrolled, std::vector<std::int32_t>{480});
    EXPECT_EQ(view_.FirstTick(), 480);
    view_.horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    view_.horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    Paint();
    // Not before the song's start: the second step changes nothing.
    EXPECT_EQ(scrolled, (std::vector<std::int32_t>{480, 0}));
    EXPECT_EQ(view_.FirstTick(), 0);
}

// Space plays and the monitors play notes: every key goes on to the main
// window, none scrolls the score or moves the play position.
TEST_F(ViewFollowTest, KeysAreLeftToTheMainWindow) {
    std::vector<std::int32_t> scrolled;
    QObject::connect(&view_, &CTavrinoView::playTickScrolled,
                     [&](std::int32_t tick) { scrolled.push_back(tick); });
    const int pitch = view_.verticalScrollBar()->value();
    for (const int key : {Qt::Key_Right, Qt::Key_Left, Qt::Key_Up, Qt::Key_Down, Qt::Key_PageDown,
                          Qt::Key_End, Qt::Key_Space}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(&view_, &press);
        EXPECT_FALSE(press.isAccepted()) << key;
    }
    EXPECT_TRUE(scrolled.empty());
    EXPECT_EQ(view_.verticalScrollBar()->value(), pitch);
}

TEST_F(ViewFollowTest, ZoomChangesTheVisibleTicks) {
    const std::int32_t normal = view_.LastTick() - view_.FirstTick();
    view_.SetZoomIndex(4);
    Paint();
    EXPECT_EQ(view_.ZoomIndex(), 4);
    EXPECT_LT(view_.LastTick() - view_.FirstTick(), normal);
}

}  // namespace
}  // namespace tavrino
