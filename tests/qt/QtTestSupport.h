#pragma once
// Qt tests run under GoogleTest with one QApplication, made before the first
// test and closed after the last with every window still open, and act on
// the modal dialogs the code under test runs with exec().
#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/TestDatabase.h"

namespace hvxtest {

struct QtEnvironment : ::testing::Environment {
    void SetUp() override {
        static int argc = 1;
        static char name[] = "hvx_qt_tests", *argv[] = {name, nullptr};
        app = new QApplication(argc, argv);
    }
    void TearDown() override {
        QList<QPointer<QWidget>> windows;
        for (QWidget* w : QApplication::topLevelWidgets()) windows << w;
        for (const QPointer<QWidget>& w : windows)
            if (w && !w->parentWidget()) delete w.data();
        delete app;
    }
    QApplication* app = nullptr;
};
inline const auto* const kQtEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

// Runs the action once on the modal widget of type T that becomes active within
// five seconds. The action must close it; one left open fails the test.
template <class T>
void WhenModal(std::function<void(T*)> action) {
    auto* timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, action] {
        T* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog && ++*tries <= 500) return;
        timer->stop();
        timer->deleteLater();
        if (!dialog) return;
        action(dialog);
        if (auto* d = qobject_cast<QDialog*>(dialog))
            QTimer::singleShot(3000, d, [d] {
                if (!d->isVisible()) return;
                ADD_FAILURE() << "the dialog is still open; closing it";
                d->reject();
            });
    });
    timer->start(10);
}

// What a tool writes to standard output; empty when it is not installed.
inline std::string ToolOutput(const QString& tool, const QStringList& args) {
    QProcess process;
    process.start(tool, args);
    process.waitForFinished(60000);
    return process.readAllStandardOutput().toStdString();
}

}  // namespace hvxtest
