// The QApplication of the Qt tests, made before the first test and closed
// after the last, with every window still open.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "hvx_qt_tests";
        static char* argv[] = {name, nullptr};
        app_ = new QApplication(argc, argv);
    }
    void TearDown() override {
        QList<QPointer<QWidget>> windows;
        for (QWidget* w : QApplication::topLevelWidgets()) windows << w;
        for (const QPointer<QWidget>& w : windows)
            if (w && !w->parentWidget()) delete w.data();
        delete app_;
    }

private:
    QApplication* app_ = nullptr;
};

[[maybe_unused]] ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace
