#include "mainwindow/SplashModel.h"

#include "mainwindow/MainForm.h"
#include "platform/runtime/Clock.h"

namespace MainForm {

SplashModel::Tick SplashModel::OnTimer(float now) {
  if (!closeAllowed_ || unloaded_) return Tick::None;
  if (!waiting_) {
    waiting_ = true;
    waitFrom_ = now;
    return Tick::StartWait;
  }
  float waited = now - waitFrom_;
  if (waited < 0) waited += 86400;  // the clock fell back to 0 at midnight
  return waited >= kUnloadDelay ? Tick::Close : Tick::None;
}

bool SplashModel::BeginUnload() {
  if (unloaded_) return false;
  unloaded_ = true;
  return true;
}

std::string SplashModel::Text() {
  const int year = vb::PartsOfDate(vb::Now()).year;
  return ProgramTitle() + " " + VersionText() +
         "\nSide-by-side aircraft comparison\n\n"
         "Copyright \xC2\xA9 " +
         std::to_string(year) +
         " Velmora. All rights reserved.\n\n"
         "This program and its aircraft data are protected by copyright law. The data are "
         "given for comparison and planning only; they do not replace the flight manual or "
         "the maker's published figures. Use is subject to the terms of the licence "
         "agreement.";
}

}  // namespace MainForm
