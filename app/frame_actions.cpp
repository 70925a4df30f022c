#include "app/frame_actions.h"

#include <QIcon>
#include <QMainWindow>
#include <QMenuBar>

#include "resources/images.h"

namespace tavrino {

namespace {

struct CommandText {
    CommandId id;
    const char* text;
    QList<QKeySequence> shortcuts;
    bool checkable = false;
};

// Menu texts carry their accelerator after a tab, as the menus show it.
// Play and Stop share Space, which the main window handles itself.
const QList<CommandText>& Commands() {
    static const QList<CommandText> commands = {
        {ID_FILE_NEW, "&New\tCtrl+N", {QKeySequence("Ctrl+N")}},
        {ID_FILE_OPEN, "&Open...\tCtrl+O", {QKeySequence("Ctrl+O")}},
        {ID_FILE_RELOAD, "&Reload\tCtrl+R", {QKeySequence("Ctrl+R")}},
        {ID_FILE_SAVE, "&Save\tCtrl+S", {QKeySequence("Ctrl+S")}},
        {ID_FILE_SAVE_AS, "Save &As...", {}},
        {ID_FILE_PRINT, "&Print...\tCtrl+P", {QKeySequence("Ctrl+P")}},
        {ID_FILE_PRINT_PREVIEW, "Print Pre&view", {}},
        {ID_FILE_PRINT_SETUP, "P&rint Setup...", {}},
        {ID_APP_EXIT, "E&xit", {}},
        {ID_EDIT_UNDO, "&Undo\tCtrl+Z", {QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace")}},
        {ID_EDIT_CUT, "Cu&t\tCtrl+X", {QKeySequence("Ctrl+X"), QKeySequence("Shift+Del")}},
        {ID_EDIT_COPY, "&Copy\tCtrl+C", {QKeySequence("Ctrl+C"), QKeySequence("Ctrl+Ins")}},
        {ID_EDIT_PASTE, "&Paste\tCtrl+V", {QKeySequence("Ctrl+V"), QKeySequence("Shift+Ins")}},
        {ID_EDIT_CROP, "C&rop!\tAlt+DEL", {QKeySequence("Alt+Del")}},
        {ID_EDIT_BEGIN_MARK, "&Begin Mark\tCtrl+B", {QKeySequence("Ctrl+B")}},
        {ID_EDIT_END_MARK, "&End Mark\tCtrl+E", {QKeySequence("Ctrl+E")}},
        {ID_EDIT_MODE, "&Switch to Edit Mode\tAlt+E", {QKeySequence("Alt+E")}, true},
        {ID_FILE_PROPERTIES, "File &Properties...\tAlt+P", {QKeySequence("Alt+P")}},
        {ID_VIEW_MIXER, "&Mixer\tAlt+M", {QKeySequence("Alt+M")}, true},
        {ID_VIEW_PIANO, "Piano &Keyboard\tAlt+K", {QKeySequence("Alt+K")}, true},
        {ID_VIEW_LYRICS, "&Lyrics\tAlt+T", {QKeySequence("Alt+T")}, true},
        {ID_VIEW_PLAYLIST, "Play&List...\tAlt+L", {QKeySequence("Alt+L")}},
        {ID_VIEW_DIATONIC, "&Diatonic Harmonica\tAlt+H", {QKeySequence("Alt+H")}, true},
        {ID_VIEW_CHROMATIC, "&Chromatic Harmonica\tAlt+C", {QKeySequence("Alt+C")}, true},
        {ID_ZOOM_200, "200%", {}, true},
        {ID_ZOOM_150, "150%", {}, true},
        {ID_ZOOM_100, "100%", {}, true},
        {ID_ZOOM_75, "75%", {}, true},
        {ID_ZOOM_50, "50%", {}, true},
        {ID_PLAYER_PLAY, "&Play\t[space]", {}},
        {ID_PLAYER_STOP, "&Stop\t[space]", {}},
        {ID_PLAYER_REWIND, "Re&wind", {}},
        {ID_PLAYER_PREVIOUS, "Pre&vious", {}},
        {ID_PLAYER_NEXT, "&Next", {}},
        {ID_REPEAT_NONE, "&None", {}, true},
        {ID_REPEAT_ONE, "&One", {}, true},
        {ID_REPEAT_ALL, "&All", {}, true},
        {ID_METRONOME, "&Metronome Count-In", {}, true},
        {ID_PRACTICE_LOOP, "Practice &Loop...", {}},
        {ID_TRANSPOSE_HALF_UP, "All Half Step Up\tCtrl+U", {QKeySequence("Ctrl+U")}},
        {ID_TRANSPOSE_HALF_DOWN, "All Half Step Down\tCtrl+D", {QKeySequence("Ctrl+D")}},
        {ID_TRANSPOSE_OCTAVE_UP, "All Octave Up\tAlt+Shift+U", {QKeySequence("Alt+Shift+U")}},
        {ID_TRANSPOSE_OCTAVE_DOWN, "All Octave Down\tAlt+Shift+D", {QKeySequence("Alt+Shift+D")}},
        {ID_TRANSPOSE_TRACKS_UP, "Tracks Octave Up\tAlt+U", {QKeySequence("Alt+U")}},
        {ID_TRANSPOSE_TRACKS_DOWN, "Tracks Octave Down\tAlt+D", {QKeySequence("Alt+D")}},
        {ID_APPLY_TEMPO, "Apply Tempo &Change", {}},
        {ID_TAB_TEXT_TRACK, "Create &Tablature Text Track", {}},
        {ID_SAVE_DISASSEMBLY, "Save &Disassembled File...", {}},
        {ID_OPTIONS, "&Options...", {}},
        {ID_HELP_TOPICS, "&Help Topics", {QKeySequence("F1")}},
        {ID_APP_ABOUT, "&About Tavrino...", {}},
    };
    return commands;
}

// The toolbar's buttons in order; 0 is a separator.
constexpr int kToolbarButtons[] = {
    ID_FILE_OPEN,
    ID_FILE_SAVE,
    ID_FILE_PRINT,
    0,
    ID_EDIT_MODE,
    ID_VIEW_MIXER,
    ID_VIEW_PIANO,
    ID_VIEW_LYRICS,
    ID_VIEW_DIATONIC,
    ID_VIEW_CHROMATIC,
    0,
    ID_PLAYER_PREVIOUS,
    ID_PLAYER_REWIND,
    ID_PLAYER_STOP,
    ID_PLAYER_PLAY,
    ID_PLAYER_NEXT,
    ID_VIEW_PLAYLIST,
    0,
    ID_TEMPO_SLIDER,
    0,
    ID_TAB_TYPE,
    0,
    ID_APP_ABOUT,
};

// What the status bar says while the pointer rests on a command.
const QHash<int, QString>& StatusTips() {
    static const QHash<int, QString> tips = {
        {ID_EDIT_UNDO, "Undo the last action"},
        {ID_FILE_RELOAD, "Reload current file"},
        {ID_EDIT_BEGIN_MARK, "Begin Selection Mark"},
        {ID_EDIT_END_MARK, "End Selection Mark"},
        {ID_EDIT_CROP, "Crop file keeping only the selection"},
        {ID_TAB_TEXT_TRACK, "Create a new text track with the note names or tablature"},
        {ID_FILE_PROPERTIES, "Open MIDI file properties"},
        {ID_PRACTICE_LOOP, "Tempo steps and count-in for a passage played between the marks"},
    };
    return tips;
}

// The toolbar's images under ":/images/".
const QHash<int, QString>& ButtonImages() {
    static const QHash<int, QString> images = {
        {ID_FILE_OPEN, "open"},           {ID_FILE_SAVE, "save"},
        {ID_FILE_PRINT, "print"},         {ID_EDIT_MODE, "edit"},
        {ID_VIEW_MIXER, "mixer"},         {ID_VIEW_PIANO, "piano"},
        {ID_VIEW_LYRICS, "lyrics"},       {ID_VIEW_DIATONIC, "diatonic"},
        {ID_VIEW_CHROMATIC, "chromatic"}, {ID_PLAYER_PREVIOUS, "previous"},
        {ID_PLAYER_REWIND, "rewind"},     {ID_PLAYER_STOP, "stop"},
        {ID_PLAYER_PLAY, "play"},         {ID_PLAYER_NEXT, "next"},
        {ID_VIEW_PLAYLIST, "playlist"},   {ID_APP_ABOUT, "about"},
    };
    return images;
}

// A menu text as a button's text and tooltip: no mnemonic, no accelerator,
// no ellipsis.
QString ButtonText(const QString& menuText) {
    QString text = menuText.section('\t', 0, 0);
    text.remove('&');
    if (text.endsWith("...")) {
        text.chop(3);
    }
    return text;
}

}  // namespace

// Edit, Player, Tools and Help have no mnemonic: Alt with their first letters
// is taken by commands (edit mode, file properties, lyrics, diatonic
// harmonica). F10 and Alt alone reach the menus from the keyboard.
FrameActions::FrameActions(QMainWindow& window) {
    CreateActions(window);
    QMenuBar* bar = window.menuBar();
    fileMenu_ = AddMenu(nullptr, window, "&File",
                        {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_RELOAD, ID_FILE_SAVE, ID_FILE_SAVE_AS,
                         0, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP});
    exitSeparator_ = fileMenu_->addSeparator();
    fileMenu_->addAction(actions_[ID_APP_EXIT]);
    bar->addMenu(fileMenu_);
    bar->addMenu(
        AddMenu(nullptr, window, "Edit",
                {ID_EDIT_UNDO, 0, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CROP, 0,
                 ID_EDIT_BEGIN_MARK, ID_EDIT_END_MARK, 0, ID_EDIT_MODE, ID_FILE_PROPERTIES}));
    bar->addMenu(AddMenu(
        nullptr, window, "&View",
        {ID_VIEW_MIXER, ID_VIEW_PIANO, ID_VIEW_LYRICS, ID_VIEW_PLAYLIST, 0, ID_VIEW_DIATONIC,
         ID_VIEW_CHROMATIC, 0, ID_ZOOM_200, ID_ZOOM_150, ID_ZOOM_100, ID_ZOOM_75, ID_ZOOM_50}));
    QMenu* player = AddMenu(nullptr, window, "Player",
                            {ID_PLAYER_PLAY, ID_PLAYER_STOP, ID_PLAYER_REWIND, 0,
                             ID_PLAYER_PREVIOUS, ID_PLAYER_NEXT, ID_VIEW_PLAYLIST, 0});
    player->addMenu(
        AddMenu(player, window, "&Repeat", {ID_REPEAT_NONE, ID_REPEAT_ONE, ID_REPEAT_ALL}));
    player->addAction(actions_[ID_METRONOME]);
    player->addAction(actions_[ID_PRACTICE_LOOP]);
    bar->addMenu(player);
    QMenu* tools = AddMenu(nullptr, window, "Tools", {});
    tools->addMenu(
        AddMenu(tools, window, "Transpose",
                {ID_TRANSPOSE_HALF_UP, ID_TRANSPOSE_HALF_DOWN, ID_TRANSPOSE_OCTAVE_UP,
                 ID_TRANSPOSE_OCTAVE_DOWN, ID_TRANSPOSE_TRACKS_UP, ID_TRANSPOSE_TRACKS_DOWN}));
    for (const int id : {ID_APPLY_TEMPO, ID_TAB_TEXT_TRACK, ID_SAVE_DISASSEMBLY}) {
        tools->addAction(actions_[id]);
    }
    tools->addSeparator();
    tools->addAction(actions_[ID_OPTIONS]);
    bar->addMenu(tools);
    bar->addMenu(AddMenu(nullptr, window, "Help", {ID_HELP_TOPICS, ID_APP_ABOUT}));
    CreateToolbar(window);
}

void FrameActions::CreateActions(QMainWindow& window) {
    for (const CommandText& command : Commands()) {
        auto* action = new QAction(command.text, &window);
        action->setShortcuts(command.shortcuts);
        action->setCheckable(command.checkable);
        action->setStatusTip(StatusTips().value(command.id));
        action->setEnabled(false);
        // Shortcuts work while a floating monitor has the focus too.
        action->setShortcutContext(Qt::ApplicationShortcut);
        window.addAction(action);
        actions_.insert(command.id, action);
    }
}

QMenu* FrameActions::AddMenu(QMenu* parent, QMainWindow& window, const QString& title,
                             std::initializer_list<int> ids) {
    auto* menu = new QMenu(title, parent != nullptr ? static_cast<QWidget*>(parent) : &window);
    for (const int id : ids) {
        if (id == 0) {
            menu->addSeparator();
        } else {
            menu->addAction(actions_[id]);
        }
    }
    menus_.append(menu);
    return menu;
}

void FrameActions::CreateToolbar(QMainWindow& window) {
    RegisterImages();
    toolbar_ = window.addToolBar("Toolbar");
    toolbar_->setObjectName("toolbar");
    for (const int id : kToolbarButtons) {
        if (id == 0) {
            toolbar_->addSeparator();
        } else if (id == ID_TEMPO_SLIDER || id == ID_TAB_TYPE) {
            toolbarSlots_.insert(id, toolbar_->addSeparator());
        } else {
            QAction* action = actions_[id];
            action->setIconText(ButtonText(action->text()));
            action->setIcon(QIcon(":/images/" + ButtonImages().value(id) + ".png"));
            toolbar_->addAction(action);
        }
    }
}

void FrameActions::SetToolbarWidget(CommandId slot, QWidget* widget) {
    QAction* placeholder = toolbarSlots_.value(slot);
    if (placeholder == nullptr) {
        return;
    }
    toolbar_->insertWidget(placeholder, widget);
    toolbar_->removeAction(placeholder);
    toolbarSlots_.remove(slot);
}

}  // namespace tavrino
