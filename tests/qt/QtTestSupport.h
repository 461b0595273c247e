#pragma once
// Qt tests run under GoogleTest: one QApplication for the whole program (set
// up by a test environment), and a way to act on a modal dialog that the code
// under test opens and runs with exec().
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>
#include <memory>

namespace hvxtest {

// Polls until a modal widget of type T is active (at most a few seconds),
// then runs the action on it once. The action is to close the dialog; one
// left open fails the test and is cancelled.
template <class T>
void WhenModal(std::function<void(T*)> action) {
    auto* timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, action] {
        if (T* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            action(dialog);
            // A dialog the action failed to close would hang the test program.
            if (auto* d = qobject_cast<QDialog*>(dialog)) {
                QTimer::singleShot(3000, d, [d] {
                    if (!d->isVisible()) return;
                    ADD_FAILURE() << "the dialog is still open; closing it";
                    d->reject();
                });
            }
        } else if (++*tries > 500) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(10);
}

}  // namespace hvxtest
