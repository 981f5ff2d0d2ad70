// Message boxes through QMessageBox, file names through QFileDialog, text through QInputDialog.
#include "QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

QWidget* QtDialogs::parentWindow()
{
    return QApplication::activeWindow();
}

QString QtDialogs::titleOr(const QString& title)
{
    if (!title.isEmpty())
        return title;
    const QString name = QGuiApplication::applicationDisplayName();
    return name.isEmpty() ? QStringLiteral("心理测评工作站") : name;
}

Dialogs::Answer QtDialogs::message(Icon icon, Buttons buttons, const QString& text, const QString& title)
{
    QMessageBox box(parentWindow());
    box.setWindowTitle(titleOr(title));
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    switch (icon) {
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    // Button captions in Chinese whatever translations are installed.
    switch (buttons) {
    case Buttons::Ok:
        box.addButton(QMessageBox::Ok)->setText(QStringLiteral("确定"));
        break;
    case Buttons::YesNo:
        box.addButton(QMessageBox::Yes)->setText(QStringLiteral("是(&Y)"));
        box.addButton(QMessageBox::No)->setText(QStringLiteral("否(&N)"));
        box.setDefaultButton(QMessageBox::Yes);
        break;
    case Buttons::OkCancel:
        box.addButton(QMessageBox::Ok)->setText(QStringLiteral("确定"));
        box.addButton(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
        box.setDefaultButton(QMessageBox::Ok);
        break;
    }
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Ok:
        return Answer::Ok;
    default:
        break;
    }
    // Closed with Escape or the title bar: the safe answer.
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::YesNo:
        return Answer::No;
    case Buttons::OkCancel:
        return Answer::Cancel;
    }
    return Answer::Cancel;
}

QString QtDialogs::openFileName(const QString& caption, const QString& filter, const QString& dir)
{
    return QFileDialog::getOpenFileName(parentWindow(), caption, dir, filter);
}

QString QtDialogs::saveFileName(const QString& caption, const QString& filter, const QString& dir)
{
    return QFileDialog::getSaveFileName(parentWindow(), caption, dir, filter);
}

std::optional<QString> QtDialogs::inputText(const QString& caption, const QString& label,
                                            const QString& initial)
{
    QInputDialog dialog(parentWindow());
    dialog.setWindowTitle(caption.isEmpty() ? titleOr({}) : caption);
    dialog.setLabelText(label);
    dialog.setTextValue(initial);
    dialog.setOkButtonText(QStringLiteral("确定"));
    dialog.setCancelButtonText(QStringLiteral("取消"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}
