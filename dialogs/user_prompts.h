#pragma once

#include <QDialog>
#include <QString>
#include <functional>

namespace tavrino {

// How the event-editing windows ask the user: modal dialogs, Yes/No
// questions and messages. The program asks on screen; tests answer in code.
struct UserPrompts {
    // Runs the dialog modally; true when it closed with OK.
    std::function<bool(QDialog& dialog)> run;
    // A Yes/No question; true for Yes.
    std::function<bool(QWidget* parent, const QString& caption, const QString& text)> confirm;
    std::function<void(QWidget* parent, const QString& caption, const QString& text)> inform;

    // The prompts on screen.
    static UserPrompts OnScreen();
};

}  // namespace tavrino
