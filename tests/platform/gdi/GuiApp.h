#pragma once
// Text drawing needs Qt's font database, which needs a QGuiApplication: every test program that
// paints includes this header once, which makes one for the whole run (offscreen unless the
// environment says otherwise).
#include <gtest/gtest.h>

#include <QGuiApplication>

namespace testsupport {

class GuiAppEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (QGuiApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tolvane-test";
    static char* argv[] = {name, nullptr};
    app_ = new QGuiApplication(argc, argv);
  }
  void TearDown() override {
    delete app_;
    app_ = nullptr;
  }

 private:
  QGuiApplication* app_ = nullptr;
};

inline const bool kGuiAppRegistered =
    (::testing::AddGlobalTestEnvironment(new GuiAppEnvironment), true);

}  // namespace testsupport
