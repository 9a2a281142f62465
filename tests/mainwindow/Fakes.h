#pragma once
// Fakes of the main window and of the aircraft data for the start-up and display-update tests:
// the window records every call in order and keeps the state a test asks about.
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "drawings/DrawingViews.h"
#include "mainwindow/AircraftData.h"
#include "mainwindow/MainView.h"
#include "platform/runtime/Error.h"

namespace mwtest {

using LabelCatalogue::Arr;

class FakeMainView : public MainForm::MainView {
 public:
  std::vector<std::string> calls;
  std::map<std::string, bool> menuVisible, menuEnabled, menuChecked;
  std::map<int, bool> tabVisible;
  std::map<int, bool> panelVisible;
  std::map<int, std::string> frameCaption;
  std::map<std::pair<int, int>, std::string> captions;
  std::map<std::pair<int, int>, int32_t> backColor, foreColor;
  std::map<std::string, bool> optionValue, optionVisible;
  std::map<std::string, int> optionClicks;  // handler runs: only on a change of selection
  MainForm::WindowRect geometry{100, 200, 9000, 7000};
  bool maximized = false;
  bool visible = true;
  int selectedTab = 3;  // the design-time tab
  std::string caption, tag;
  bool timer = false;
  int doEvents = 0;
  std::function<void()> onDoEvents;

  FakeMainView() {
    for (const auto& l : LabelCatalogue::Labels()) captions[{int(l.array), l.index}] = l.caption;
  }
  std::string& Caption(Arr a, int i) { return captions[{int(a), i}]; }
  void log(std::string s) { calls.push_back(std::move(s)); }
  // Index of the first call that starts with `prefix`; -1 when none.
  int indexOf(const std::string& prefix) const {
    for (size_t i = 0; i < calls.size(); ++i)
      if (calls[i].rfind(prefix, 0) == 0) return int(i);
    return -1;
  }
  int count(const std::string& prefix) const {
    int n = 0;
    for (const auto& c : calls) n += c.rfind(prefix, 0) == 0;
    return n;
  }

  void SetMenuVisible(std::string_view item, bool v) noexcept override {
    menuVisible[std::string(item)] = v;
  }
  void SetMenuEnabled(std::string_view item, bool v) noexcept override {
    log("SetMenuEnabled " + std::string(item) + (v ? " 1" : " 0"));
    menuEnabled[std::string(item)] = v;
  }
  void SetMenuChecked(std::string_view item, bool v) noexcept override {
    log("SetMenuChecked " + std::string(item) + (v ? " 1" : " 0"));
    menuChecked[std::string(item)] = v;
  }
  int SelectedTab() noexcept override { return selectedTab; }
  void SelectTab(int tab) noexcept override {
    log("SelectTab " + std::to_string(tab));
    selectedTab = tab;
  }
  void SetTabVisible(int tab, bool v) override { tabVisible[tab] = v; }
  void PlaceFramesLike(int tab) noexcept override { log("PlaceFramesLike " + std::to_string(tab)); }
  void SetPanelVisible(int panel, bool v) noexcept override { panelVisible[panel] = v; }
  void SetAircraftFrameCaption(int plane, const std::string& c) noexcept override {
    frameCaption[plane] = c;
  }
  std::string LabelCaption(Arr a, int i) override { return Caption(a, i); }
  void SetLabelCaption(Arr a, int i, const std::string& text) override { Caption(a, i) = text; }
  void SetLabelBackColor(Arr a, int i, int32_t rgb) override {
    log("Back " + std::string(LabelCatalogue::ArrayName(a)) + " " + std::to_string(i));
    backColor[{int(a), i}] = rgb;
  }
  void SetLabelForeColor(Arr a, int i, int32_t rgb) override {
    log("Fore " + LabelCatalogue::ObjectName(a, i));
    foreColor[{int(a), i}] = rgb;
  }
  void SetOptionValue(std::string_view name, bool v) override {
    const std::string n(name);
    if (v && !optionValue[n]) ++optionClicks[n];
    optionValue[n] = v;
  }
  void SetOptionVisible(std::string_view name, bool v) override {
    optionVisible[std::string(name)] = v;
  }
  MainForm::WindowRect Geometry() override { return geometry; }
  void SetGeometry(const MainForm::WindowRect& r) noexcept override {
    log("SetGeometry " + std::to_string(r.top) + "," + std::to_string(r.left) + "," +
        std::to_string(r.width) + "," + std::to_string(r.height));
    geometry = r;
  }
  bool IsMaximized() override { return maximized; }
  void SetVisible(bool v) override {
    log(std::string("SetVisible ") + (v ? "1" : "0"));
    visible = v;
  }
  void SetCaption(const std::string& c) noexcept override {
    log("SetCaption");
    caption = c;
  }
  void SetTag(const std::string& t) noexcept override {
    log("SetTag " + t);
    tag = t;
  }
  std::string Tag() override { return tag; }
  void SetTimerEnabled(bool e) noexcept override {
    log(std::string("SetTimerEnabled ") + (e ? "1" : "0"));
    timer = e;
  }
  void DoEvents() override {
    log("DoEvents");
    ++doEvents;
    if (onDoEvents) onDoEvents();
  }
  void Delay(float) override { log("Delay"); }
  void CreateSplash() override { log("CreateSplash"); }
  void ShowSplash() override { log("ShowSplash"); }
  void AllowSplashClose() override { log("AllowSplashClose"); }
  void ShowTabNo() override { log("ShowTabNo"); }
  void ShowToolbar(bool v) override { log(std::string("ShowToolbar ") + (v ? "1" : "0")); }
  void HookWindow() override { log("HookWindow"); }
  void UnHookWindow() override { log("UnHookWindow"); }
  void ApplyColorScheme() override { log("ApplyColorScheme"); }
  void RestoreMenuColor() override { log("RestoreMenuColor"); }
  void SetUpScrollBar() noexcept override { log("SetUpScrollBar"); }
  void UnloadAllForms() override { log("UnloadAllForms"); }
};

class FakeAircraftData : public MainForm::AircraftData {
 public:
  // Per aircraft: spec -> value; a spec not listed gives "v:<acNum>:<spec>".
  std::map<std::string, std::map<std::string, std::string>> values;
  std::map<std::string, Interiors> interiors;
  std::map<std::string, std::vector<std::string>> wat;
  std::set<std::string> failOpen;
  std::vector<std::string> queries;  // "open 7", "dxf 7", "wat 7", "close"
  std::string open;

  std::function<void(const std::string&)> onOpen;

  void Open(const std::string& acNum) override {
    queries.push_back("open " + acNum);
    if (onOpen) onOpen(acNum);
    if (failOpen.count(acNum)) throw vb::Error{3021, "No current record"};
    open = acNum;
  }
  std::string DisplayValue(const std::string& spec) override {
    auto a = values.find(open);
    if (a != values.end()) {
      auto v = a->second.find(spec);
      if (v != a->second.end()) return v->second;
    }
    return "v:" + open + ":" + spec;
  }
  void Close() override {
    queries.push_back("close");
    open.clear();
  }
  Interiors InteriorVariants(const std::string& acNum) override {
    queries.push_back("dxf " + acNum);
    return interiors[acNum];
  }
  std::vector<std::string> WatCategories(const std::string& acNum) override {
    queries.push_back("wat " + acNum);
    return wat[acNum];
  }
};

// The drawing-control members the window's commands call, recorded; layer colours kept.
class RecordingViews : public MainForm::DrawingViews {
 public:
  std::vector<std::string> calls;
  std::map<std::pair<int, int>, int> layerColour;  // (view, position) -> colour index
  std::set<std::pair<int, int>> failing;           // layers that raise an error

  int count(const std::string& op) const {
    int n = 0;
    for (const auto& c : calls) n += c.rfind(op, 0) == 0;
    return n;
  }
  void SetLayerColor(int view, int position, int index) override {
    if (failing.count({view, position})) throw vb::Error{9, "Subscript out of range"};
    layerColour[{view, position}] = index;
  }
  void Redraw(int view) override { calls.push_back("Redraw " + std::to_string(view)); }
  void ClearDrawing(int view) override { calls.push_back("ClearDrawing " + std::to_string(view)); }
  void SaveDxf(int view, const std::string& f) override {
    calls.push_back("SaveDxf " + std::to_string(view) + " " + f);
  }
  void SaveMetafile(int view, const std::string& f) override {
    calls.push_back("SaveMetafile " + std::to_string(view) + " " + f);
  }
  void SaveBitmap(int view, const std::string& f) override {
    calls.push_back("SaveBitmap " + std::to_string(view) + " " + f);
  }
};

}  // namespace mwtest
