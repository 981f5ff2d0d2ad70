// The real message boxes, file dialogs and input boxes of the program.
#pragma once

#include "shell/Dialogs.h"

class QWidget;

class QtDialogs : public Dialogs {
public:
    Answer message(Icon icon, Buttons buttons, const QString& text, const QString& title = {}) override;
    QString openFileName(const QString& caption, const QString& filter, const QString& dir = {}) override;
    QString saveFileName(const QString& caption, const QString& filter, const QString& dir = {}) override;
    std::optional<QString> inputText(const QString& caption, const QString& label,
                                     const QString& initial = {}) override;

private:
    // The active window, so that a dialog opens over whatever the user is looking at.
    static QWidget* parentWindow();
    static QString titleOr(const QString& title);
};
