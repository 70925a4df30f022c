// Draws the program's images (clefs, arrows, toolbar and application icons)
// as PNG files at 1x and 2x, so that they stay sharp on dense screens. Run
// it after changing a drawing: tavrino-draw-images resources/images
// (the application icon for desktops also goes to resources/icons).

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <functional>

namespace {

using Drawing = std::function<void(QPainter&)>;

const QColor kInk(24, 24, 32);
const QColor kRed(176, 24, 24);
const QColor kGreen(40, 150, 60);
const QColor kBlue(40, 100, 190);
const QColor kSteel(150, 160, 175);
const QColor kPaper(250, 250, 245);

QPen Stroke(QColor colour, qreal width) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

bool Save(const QString& folder, const QString& name, QSize size, const Drawing& draw) {
    for (const int scale : {1, 2}) {
        QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scale, scale);
        draw(painter);
        painter.end();
        const QString file = folder + "/" + name + (scale == 2 ? "@2x" : "") + ".png";
        if (!image.save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return false;
        }
    }
    return true;
}

// Clefs are drawn for staff lines 12 units apart: the treble staff's lines
// at y 5, 17, 29, 41 and 53 of its 40 x 70 box, the bass staff's at 23, 35,
// 47, 59 (and 71, below the box).
void TrebleClef(QPainter& p) {
    QPainterPath path;
    path.moveTo(22, 44);
    path.cubicTo(15, 44, 14, 35, 21, 34);
    path.cubicTo(30, 33, 33, 43, 28, 49);
    path.cubicTo(23, 55, 11, 54, 8.5, 46);
    path.cubicTo(6, 37, 13, 30, 20, 24);
    path.cubicTo(27, 18, 30, 9, 27, 4);
    path.cubicTo(24, 0, 18, 4, 18.5, 13);
    path.lineTo(23.5, 62);
    path.cubicTo(24.5, 69, 15, 70, 13.5, 64.5);
    p.setPen(Stroke(kInk, 2.6));
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(15, 63.5), 3, 3);
}

void BassClef(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(8, 35), 4, 4);
    p.drawEllipse(QPointF(34, 29.5), 2.3, 2.3);
    p.drawEllipse(QPointF(34, 40.5), 2.3, 2.3);
    QPainterPath path;
    path.moveTo(5, 34);
    path.cubicTo(5, 22, 28, 18, 29, 33);
    path.cubicTo(30, 47, 19, 56, 5, 63);
    p.setPen(Stroke(kInk, 3));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void Arrow(QPainter& p, bool up) {
    QPainterPath path;
    const qreal tip = up ? 2 : 14;
    const qreal base = up ? 10 : 6;
    path.moveTo(8, tip);
    path.lineTo(14, base);
    path.lineTo(10, base);
    path.lineTo(10, up ? 14 : 2);
    path.lineTo(6, up ? 14 : 2);
    path.lineTo(6, base);
    path.lineTo(2, base);
    path.closeSubpath();
    p.setPen(Stroke(kRed.darker(130), 1));
    p.setBrush(kRed);
    p.drawPath(path);
}

// --- Toolbar icons: 24 x 24 -------------------------------------------------

void Page(QPainter& p) {
    QPainterPath page;
    page.moveTo(5, 2.5);
    page.lineTo(14, 2.5);
    page.lineTo(19, 7.5);
    page.lineTo(19, 21.5);
    page.lineTo(5, 21.5);
    page.closeSubpath();
    p.setPen(Stroke(kInk, 1.2));
    p.setBrush(kPaper);
    p.drawPath(page);
    p.drawPolyline(QPolygonF({{14, 2.5}, {14, 7.5}, {19, 7.5}}));
}

void Folder(QPainter& p) {
    p.setPen(Stroke(QColor(150, 110, 30), 1.2));
    p.setBrush(QColor(240, 200, 90));
    p.drawPolygon(QPolygonF({{2.5, 6}, {9, 6}, {11, 8}, {21.5, 8}, {21.5, 19.5}, {2.5, 19.5}}));
    p.setBrush(QColor(250, 220, 120));
    p.drawPolygon(QPolygonF({{2.5, 19.5}, {6, 11}, {23, 11}, {19.5, 19.5}}));
}

void Floppy(QPainter& p) {
    p.setPen(Stroke(kInk, 1.2));
    p.setBrush(kBlue);
    p.drawPolygon(QPolygonF({{3, 3}, {18, 3}, {21, 6}, {21, 21}, {3, 21}}));
    p.setBrush(kPaper);
    p.drawRect(QRectF(7, 3, 10, 6));
    p.drawRect(QRectF(6, 13, 12, 8));
}

void Printer(QPainter& p) {
    p.setPen(Stroke(kInk, 1.2));
    p.setBrush(kPaper);
    p.drawRect(QRectF(7, 3, 10, 6));
    p.setBrush(kSteel);
    p.drawRoundedRect(QRectF(3, 9, 18, 8), 2, 2);
    p.setBrush(kPaper);
    p.drawRect(QRectF(7, 14, 10, 7));
}

void Triangle(QPainter& p, qreal left, qreal right, QColor colour) {
    p.setPen(Stroke(colour.darker(140), 1));
    p.setBrush(colour);
    p.drawPolygon(QPolygonF({{left, 5}, {right, 12}, {left, 19}}));
}

void Play(QPainter& p) {
    Triangle(p, 6, 19, kGreen);
}

void Stop(QPainter& p) {
    p.setPen(Stroke(kRed.darker(140), 1));
    p.setBrush(kRed);
    p.drawRoundedRect(QRectF(6, 6, 12, 12), 1.5, 1.5);
}

void Bar(QPainter& p, qreal x) {
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawRect(QRectF(x, 5, 2.5, 14));
}

void Rewind(QPainter& p) {
    Bar(p, 3);
    Triangle(p, 13, 6, kBlue);
    Triangle(p, 20, 13, kBlue);
}

void Previous(QPainter& p) {
    Bar(p, 5);
    Triangle(p, 19, 8, kBlue);
}

void Next(QPainter& p) {
    Triangle(p, 5, 16, kBlue);
    Bar(p, 16.5);
}

void Mixer(QPainter& p) {
    for (const auto& [x, knob] : {std::pair{6.0, 14.0}, {12.0, 8.0}, {18.0, 16.0}}) {
        p.setPen(Stroke(kInk, 1.5));
        p.drawLine(QPointF(x, 3), QPointF(x, 21));
        p.setPen(Stroke(kInk, 1));
        p.setBrush(kSteel);
        p.drawRoundedRect(QRectF(x - 3, knob - 2, 6, 4), 1, 1);
    }
}

void Piano(QPainter& p) {
    p.setPen(Stroke(kInk, 1));
    p.setBrush(kPaper);
    for (int key = 0; key < 5; ++key) {
        p.drawRect(QRectF(2 + key * 4, 4, 4, 16));
    }
    p.setBrush(kInk);
    for (const qreal x : {4.8, 8.8, 16.8}) {
        p.drawRect(QRectF(x, 4, 2.4, 9));
    }
}

void Harmonica(QPainter& p, int holes, bool slide) {
    p.setPen(Stroke(kInk, 1));
    p.setBrush(kSteel);
    p.drawRoundedRect(QRectF(1.5, 7, slide ? 19 : 21, 10), 2, 2);
    p.setBrush(kInk);
    const qreal step = (slide ? 17.0 : 19.0) / holes;
    for (int hole = 0; hole < holes; ++hole) {
        p.drawRect(QRectF(3 + hole * step, 10.5, step * 0.55, 3));
    }
    if (slide) {
        p.setBrush(kRed);
        p.drawRoundedRect(QRectF(20, 9.5, 3, 5), 1, 1);
    }
}

void Lyrics(QPainter& p) {
    p.setPen(Stroke(kInk, 1.5));
    for (const auto& [y, length] : {std::pair{7.0, 16.0}, {12.0, 12.0}, {17.0, 14.0}}) {
        p.drawLine(QPointF(4, y), QPointF(4 + length, y));
    }
}

void Pencil(QPainter& p) {
    p.setPen(Stroke(kInk, 1));
    p.setBrush(QColor(240, 190, 60));
    p.drawPolygon(QPolygonF({{6, 15}, {16, 5}, {19, 8}, {9, 18}}));
    p.setBrush(kPaper);
    p.drawPolygon(QPolygonF({{6, 15}, {9, 18}, {4, 20}}));
}

void Magnifier(QPainter& p, bool in) {
    p.setPen(Stroke(kInk, 2));
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(10, 10), 6.5, 6.5);
    p.drawLine(QPointF(15, 15), QPointF(21, 21));
    p.setPen(Stroke(kInk, 1.5));
    p.drawLine(QPointF(7, 10), QPointF(13, 10));
    if (in) {
        p.drawLine(QPointF(10, 7), QPointF(10, 13));
    }
}

void About(QPainter& p) {
    p.setPen(Stroke(kBlue.darker(130), 1));
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
    p.setPen(Stroke(Qt::white, 2.4));
    p.drawLine(QPointF(12, 11), QPointF(12, 17));
    p.drawPoint(QPointF(12, 7.3));
}

void PlayList(QPainter& p) {
    Lyrics(p);
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawPolygon(QPolygonF({{14, 14}, {21, 18}, {14, 22}}));
}

// A note value of the edit toolbar: a head, hollow for the whole and half
// notes, with a stem unless whole, and `flags` flags; a triplet carries a 3.
void NoteValue(QPainter& p, bool hollow, bool stem, int flags, bool triplet = false) {
    p.save();
    p.translate(8, 15.5);
    p.rotate(-20);
    p.setPen(Stroke(kInk, hollow ? 1.4 : 1));
    p.setBrush(hollow ? QBrush(Qt::NoBrush) : QBrush(kInk));
    p.drawEllipse(QPointF(0, 0), 3.6, 2.5);
    p.restore();
    if (!stem) {
        return;
    }
    p.setPen(Stroke(kInk, 1.2));
    p.drawLine(QPointF(11.2, 14.5), QPointF(11.2, 2));
    for (int flag = 0; flag < flags; ++flag) {
        const qreal y = 2 + flag * 3.2;
        QPainterPath path;
        path.moveTo(11.2, y);
        path.cubicTo(13, y + 2.5, 16.5, y + 3.5, 15.5, y + 7);
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }
    if (triplet) {
        QFont font("Liberation Sans");
        font.setPixelSize(8);
        font.setBold(true);
        p.setFont(font);
        p.setPen(kBlue);
        p.drawText(QRectF(0, 0, 8, 9), Qt::AlignCenter, "3");
    }
}

// The application: a harmonica under an eighth note, on a rounded tile.
void Application(QPainter& p) {
    p.scale(256 / 64.0, 256 / 64.0);
    QLinearGradient tile(0, 0, 0, 64);
    tile.setColorAt(0, QColor(60, 120, 200));
    tile.setColorAt(1, QColor(30, 70, 140));
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    QLinearGradient steel(0, 36, 0, 54);
    steel.setColorAt(0, QColor(235, 238, 242));
    steel.setColorAt(1, QColor(150, 158, 170));
    p.setBrush(steel);
    p.setPen(Stroke(QColor(40, 40, 50), 1.2));
    p.drawRoundedRect(QRectF(8, 38, 48, 14), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 50));
    for (int hole = 0; hole < 10; ++hole) {
        p.drawRect(QRectF(11 + hole * 4.4, 43, 2.6, 4));
    }
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(27, 27), 5.5, 4.2);
    p.setPen(Stroke(Qt::white, 2.4));
    p.drawLine(QPointF(32, 27), QPointF(32, 8));
    p.drawLine(QPointF(32, 8), QPointF(40, 15));
}

// The application icon at the sizes desktops look for, in the layout of the
// freedesktop icon theme: hicolor/SIZExSIZE/apps/tavrino.png.
bool SaveDesktopIcons(const QString& folder) {
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
        const QString sizeFolder = QString("%1/hicolor/%2x%2/apps").arg(folder).arg(size);
        QDir().mkpath(sizeFolder);
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 256.0, size / 256.0);
        Application(painter);
        painter.end();
        if (!image.save(sizeFolder + "/tavrino.png")) {
            std::fprintf(stderr, "cannot write %s/tavrino.png\n", qPrintable(sizeFolder));
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);
    const QSize icon(24, 24);
    const std::vector<std::tuple<QString, QSize, Drawing>> images = {
        {"treble_clef", {40, 70}, TrebleClef},
        {"bass_clef", {40, 70}, BassClef},
        {"notes_above", {16, 16}, [](QPainter& p) { Arrow(p, true); }},
        {"notes_below", {16, 16}, [](QPainter& p) { Arrow(p, false); }},
        {"new", icon, Page},
        {"open", icon, Folder},
        {"save", icon, Floppy},
        {"print", icon, Printer},
        {"play", icon, Play},
        {"stop", icon, Stop},
        {"rewind", icon, Rewind},
        {"previous", icon, Previous},
        {"next", icon, Next},
        {"mixer", icon, Mixer},
        {"piano", icon, Piano},
        {"diatonic", icon, [](QPainter& p) { Harmonica(p, 10, false); }},
        {"chromatic", icon, [](QPainter& p) { Harmonica(p, 8, true); }},
        {"lyrics", icon, Lyrics},
        {"playlist", icon, PlayList},
        {"edit", icon, Pencil},
        {"note_whole", {20, 20}, [](QPainter& p) { NoteValue(p, true, false, 0); }},
        {"note_half", {20, 20}, [](QPainter& p) { NoteValue(p, true, true, 0); }},
        {"note_quarter", {20, 20}, [](QPainter& p) { NoteValue(p, false, true, 0); }},
        {"note_eighth", {20, 20}, [](QPainter& p) { NoteValue(p, false, true, 1); }},
        {"note_sixteenth", {20, 20}, [](QPainter& p) { NoteValue(p, false, true, 2); }},
        {"note_thirty_second", {20, 20}, [](QPainter& p) { NoteValue(p, false, true, 3); }},
        {"note_triplet", {20, 20}, [](QPainter& p) { NoteValue(p, false, true, 1, true); }},
        {"zoom_in", icon, [](QPainter& p) { Magnifier(p, true); }},
        {"zoom_out", icon, [](QPainter& p) { Magnifier(p, false); }},
        {"about", icon, About},
        {"tavrino", {256, 256}, Application},
    };
    for (const auto& [name, size, draw] : images) {
        if (!Save(folder, name, size, draw)) {
            return 1;
        }
    }
    return SaveDesktopIcons(folder + "/../icons") ? 0 : 1;
}
