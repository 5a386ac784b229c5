#pragma once
// Driving a modal dialog from a test: the step runs inside the dialog's own event loop, once the dialog is
// the active modal widget, and fills its fields and presses its buttons as a user would.

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace kinoval::test {

// With a name, waits for the modal dialog of that object name (one dialog may open another).
inline void WhenModal(std::function<void(QDialog&)> step, const QString& name = QString())
{
    auto* timer = new QTimer;
    timer->setInterval(1);
    QObject::connect(timer, &QTimer::timeout, [timer, step, name]() {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible() || (!name.isEmpty() && dialog->objectName() != name))
            return;
        timer->stop();
        timer->deleteLater();
        step(*dialog);
    });
    timer->start();
}

// The named control; a missing one fails the test and gives null.
template <typename T> T* Child(QWidget& parent, const char* name)
{
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    if (child == nullptr)
        ADD_FAILURE() << "no control named " << name;
    return child;
}

// The text of a named label (empty when it is missing).
template <typename T = QLabel> std::string TextOf(QWidget& parent, const char* name)
{
    T* child = Child<T>(parent, name);
    return child == nullptr ? std::string() : child->text().toStdString();
}

inline void Type(QWidget& dialog, const char* edit, const QString& text)
{
    if (auto* child = Child<QLineEdit>(dialog, edit))
        child->setText(text);
}

// Clicks a named button; a missing button closes the dialog so that the test cannot hang.
inline void Press(QWidget& dialog, const char* button)
{
    if (auto* child = Child<QAbstractButton>(dialog, button))
        child->click();
    else if (auto* asDialog = qobject_cast<QDialog*>(&dialog))
        asDialog->reject();
}

} // namespace kinoval::test
