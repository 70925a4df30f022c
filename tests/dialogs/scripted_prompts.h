#pragma once

// Answers the event-editing dialogs' prompts in code: each dialog run takes
// the next scripted fill and closes with OK if the dialog takes the entry;
// questions get `answer`.

#include <QComboBox>
#include <QLineEdit>
#include <deque>
#include <functional>
#include <initializer_list>

#include "dialogs/entry_dialog.h"
#include "dialogs/user_prompts.h"

namespace tavrino::test {

struct ScriptedPrompts {
    using Fill = std::function<void(QDialog&)>;

    UserPrompts prompts() {
        return {
            [this](QDialog& dialog) {
                if (fills.empty()) {
                    return false;
                }
                fills.front()(dialog);
                fills.pop_front();
                const auto* entry = dynamic_cast<EntryDialog*>(&dialog);
                if (entry != nullptr && entry->Check()) {
                    ++refusals;
                    return false;
                }
                return true;
            },
            [this](QWidget*, const QString& caption, const QString& text) {
                asked.push_back(caption + " | " + text);
                return answer;
            },
            [this](QWidget*, const QString& caption, const QString& text) {
                asked.push_back(caption + " | " + text);
            },
        };
    }

    std::deque<Fill> fills;
    bool answer = true;
    int refusals = 0;
    std::vector<QString> asked;
};

// Types into the dialog's fields in their order (bar, beat, tick, value);
// an empty text leaves a field as it is.
inline ScriptedPrompts::Fill Type(std::initializer_list<const char*> texts) {
    std::vector<QString> typed(texts.begin(), texts.end());
    return [typed](QDialog& dialog) {
        const QList<QLineEdit*> fields = dialog.findChildren<QLineEdit*>();
        for (std::size_t i = 0; i < typed.size() && i < static_cast<std::size_t>(fields.size());
             ++i) {
            if (!typed[i].isEmpty()) {
                fields[static_cast<qsizetype>(i)]->setText(typed[i]);
            }
        }
    };
}

// Picks the item of the dialog's list.
inline ScriptedPrompts::Fill Pick(
    int index, ScriptedPrompts::Fill then = [](QDialog&) {}) {
    return [index, then](QDialog& dialog) {
        dialog.findChild<QComboBox*>()->setCurrentIndex(index);
        then(dialog);
    };
}

}  // namespace tavrino::test
